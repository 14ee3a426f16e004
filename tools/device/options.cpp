#include "options.h"

#include "device_texts.h"

#include "frame.h"

#include <charconv>
#include <functional>
#include <limits>
#include <string_view>

namespace velsnap {

namespace {

long long number(std::string_view option, std::string_view text, long long max)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max)
        throw UsageError(device_texts::wholeNumber(std::string(option), max, std::string(text)));
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
    throw UsageError(device_texts::headerKind(std::string(text)));
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
    else if (option == "--leftover")
        o.leftover = static_cast<std::size_t>(number(option, value(), 4000));
    else if (option == "--after-open")
        o.afterOpen = millis(option, value());
    else if (option == "--ack-timeout")
        o.ackTimeout = millis(option, value());
    else if (option == "--stop-after")
        o.stopAfter = static_cast<std::size_t>(number(option, value(), kFrameBytes));
    else if (option == "--hangup-after")
        o.hangupAfter = static_cast<std::size_t>(number(option, value(), kFrameBytes));
    else if (option == "--save-sent")
        o.saveSent = value();
    else if (option == "--bad-header-every")
        o.badHeaderEvery = static_cast<int>(number(option, value(), intMax));
    else if (option == "--cut-every")
        o.cutEvery = static_cast<int>(number(option, value(), intMax));
    else
        throw UsageError(device_texts::unknownOption(std::string(option)));
}

void check(const Options &o)
{
    if (o.stopAfter && o.hangupAfter)
        throw UsageError(device_texts::kStopOrHangUp);
    if (o.lateExtra && o.header != HeaderKind::Mi500)
        throw UsageError(device_texts::kLateExtraNeedsMi500);
    if (o.cutEvery > 0 && (o.stopAfter || o.hangupAfter))
        throw UsageError(device_texts::kCutEveryAlone);
}

} // namespace

HeaderKind Options::headerOf(int copy) const
{
    return badHeaderEvery > 0 && copy % badHeaderEvery == 0 ? HeaderKind::Bad : header;
}

std::size_t Options::pixelBytesOf(int copy) const
{
    if (cutOnItsOwn(copy))
        return kFrameBytes / 2;
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
            throw UsageError(device_texts::unexpectedArgument(std::string(arg)));
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
                throw UsageError(device_texts::missingValue(std::string(arg)));
            return argv[++i];
        });
    }
    check(o);
    return o;
}

} // namespace velsnap
