#include "options.h"

#include "frame.h"

#include <charconv>
#include <functional>
#include <limits>
#include <string_view>

namespace velsnap {

const char *const kUsage = R"(Usage: velsnap-device [OPTION]...
Simulates a handheld sending screen copies over a serial line.

Without --device it opens a pseudo-terminal and prints the path of its slave
(e.g. /dev/pts/5) as the only line on stdout; point the receiver at it. Each
copy waits until the receiver has had that path open for 0.1 s. After a copy
the next one waits until the receiver has closed the line (at most 5 s);
after the last copy the line is kept until nobody has had it open for 0.1 s
(at most 5 s). Progress goes to stderr, one line per event.

Line:
  --device PATH          use a serial device (raw, 57600 8N1, no flow
                         control) instead of a pseudo-terminal
  --baud N               pace bytes as a line at N baud would (10 bits a
                         byte); 0 sends as fast as the line takes them
                         (default 0)

Pictures:
  --picture FILE         send this picture (any format Qt reads), scaled to
                         cover 320x240 and centred; default: a test pattern
                         whose white square moves with the copy number
  --count N              number of copies, 0 for no end (default 1)
  --pause MS             pause between copies (default 2000)
  --save-sent FILE       write the 153600 pixel bytes of every copy that is
                         started to FILE, one after the other; FILE is
                         emptied first

Misbehaving on purpose:
  --header KIND          normal, mi500 (one extra byte after the 25-byte
                         header) or bad (marker in lower case) (default
                         normal)
  --trickle-header MS    send the header one byte at a time, MS apart
  --late-extra MS        with --header mi500, send the extra byte MS after
                         the rest of the header
  --ack-timeout MS       give up a copy when no acknowledgement came within
                         MS of the first header byte (default: wait)
  --stop-after BYTES     send only BYTES of pixel data, then fall silent
                         with the line open until stopped by a signal
  --hangup-after BYTES   send only BYTES of pixel data, then close the line
                         and exit 0 (the receiver gets up to 0.5 s first to
                         take what was sent)

  --help                 show this text
  --version              show the version

Exit status: 0 when every copy went out in full or the run ended as asked
(signal, --stop-after, --hangup-after), 1 when a copy was given up (receiver
closed the line, no or wrong acknowledgement) or on an error, 2 on bad
options.
)";

namespace {

long long number(std::string_view option, std::string_view text, long long max)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max)
        throw UsageError(std::string(option) + ": expected a whole number from 0 to " + std::to_string(max) +
                         ", got '" + std::string(text) + "'");
    return value;
}

std::chrono::milliseconds millis(std::string_view option, std::string_view text)
{
    return std::chrono::milliseconds(number(option, text, std::numeric_limits<int>::max()));
}

HeaderKind headerKind(std::string_view text)
{
    if (text == "normal")
        return HeaderKind::Normal;
    if (text == "mi500")
        return HeaderKind::Mi500;
    if (text == "bad")
        return HeaderKind::Bad;
    throw UsageError("--header: expected normal, mi500 or bad, got '" + std::string(text) + "'");
}

// value() takes the option's argument; it is only asked for once the option
// is known, so a misspelt option is reported as such.
void apply(Options &o, std::string_view option, const std::function<std::string_view()> &value)
{
    constexpr long long intMax = std::numeric_limits<int>::max();
    if (option == "--device")
        o.device = value();
    else if (option == "--picture")
        o.picture = value();
    else if (option == "--count")
        o.count = static_cast<int>(number(option, value(), intMax));
    else if (option == "--pause")
        o.pause = millis(option, value());
    else if (option == "--baud")
        o.baud = static_cast<int>(number(option, value(), intMax));
    else if (option == "--header")
        o.header = headerKind(value());
    else if (option == "--trickle-header")
        o.trickleHeader = millis(option, value());
    else if (option == "--late-extra")
        o.lateExtra = millis(option, value());
    else if (option == "--ack-timeout")
        o.ackTimeout = millis(option, value());
    else if (option == "--stop-after")
        o.stopAfter = static_cast<std::size_t>(number(option, value(), kFrameBytes));
    else if (option == "--hangup-after")
        o.hangupAfter = static_cast<std::size_t>(number(option, value(), kFrameBytes));
    else if (option == "--save-sent")
        o.saveSent = value();
    else
        throw UsageError("unknown option '" + std::string(option) + "'");
}

void check(const Options &o)
{
    if (o.stopAfter && o.hangupAfter)
        throw UsageError("--stop-after and --hangup-after exclude each other");
    if (o.lateExtra && o.header != HeaderKind::Mi500)
        throw UsageError("--late-extra needs --header mi500");
}

} // namespace

std::size_t Options::pixelBytesPerCopy() const
{
    return stopAfter.value_or(hangupAfter.value_or(kFrameBytes));
}

Options parseOptions(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "--version") {
            (arg == "--help" ? o.help : o.version) = true;
            continue;
        }
        if (!arg.starts_with("--"))
            throw UsageError("unexpected argument '" + std::string(arg) + "'");
        // Both "--opt value" and "--opt=value".
        std::optional<std::string_view> inlineValue;
        if (const auto eq = arg.find('='); eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        apply(o, arg, [&]() -> std::string_view {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= argc)
                throw UsageError(std::string(arg) + ": missing value");
            return argv[++i];
        });
    }
    check(o);
    return o;
}

} // namespace velsnap
