#include "device_texts.h"
#include "frame.h"
#include "line.h"
#include "log.h"
#include "options.h"
#include "sender.h"
#include "sentlog.h"
#include "stopsignals.h"
#include "testpattern.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <vector>

namespace velsnap {

namespace {

using std::chrono::milliseconds;

// How long the receiver may keep the line after a copy before the device
// carries on regardless.
constexpr milliseconds kReceiverGrace{5000};
// How long the receiver gets to take the pixel data before --hangup-after
// closes the line (closing throws away what it has not read).
constexpr milliseconds kHangupGrace{500};

int stopped()
{
    note(device_texts::kStoppedBySignal);
    return 0;
}

// UTF-8, as the progress notes are.
void writeUtf8(std::FILE *stream, const QString &text)
{
    std::fputs(text.toStdString().c_str(), stream);
}

int run(const Options &options, const StopSignals &stop)
{
    // Empty: a test pattern of its own for each copy.
    const std::vector<std::uint8_t> picture = options.picture
                                                  ? frameBytes(loadPicture(QString::fromStdString(*options.picture)))
                                                  : std::vector<std::uint8_t>();
    SentLog sentLog(options.saveSent);
    // Pixel data, as the rest of a copy cut short would be.
    const std::vector<std::uint8_t> leftover(options.leftover, 0xA5);
    Line line = options.device ? Line(stop, *options.device) : Line(stop);
    std::printf("%s\n", line.path().c_str());
    std::fflush(stdout);

    bool allComplete = true;
    for (int copy = 1; options.count == 0 || copy <= options.count; ++copy) {
        if (copy > 1 && !stop.sleep(options.pause))
            return stopped();
        note(copy, device_texts::kWaitingForReceiver);
        if (line.waitForReceiver(options.afterOpen, std::span(leftover)) == LineStatus::Stopped)
            return stopped();
        const std::vector<std::uint8_t> pixels = picture.empty() ? frameBytes(testPattern(copy)) : picture;
        sentLog.add(pixels);
        switch (sendCopy(line, stop, options, copy, pixels)) {
        case CopyEnd::Complete:
            break;
        case CopyEnd::GivenUp:
            line.discardUnsent();
            allComplete = false;
            break;
        case CopyEnd::Cut:
            if (options.cutOnItsOwn(copy)) {
                note(copy, device_texts::kSilentUntilReceiverCloses);
                break;
            }
            if (options.stopAfter) {
                note(copy, device_texts::kSilentUntilStopped);
                stop.waitForever();
                return stopped();
            }
            if (line.awaitReceiverClose(kHangupGrace) == LineStatus::Stopped)
                return stopped();
            note(copy, device_texts::kHangingUp);
            return 0;
        case CopyEnd::Stopped:
            return stopped();
        }
        // Between copies the receiver closes and at once reopens; after the
        // last one it may go on listening, and must not lose the line at once.
        const bool last = copy == options.count;
        const LineStatus after = last ? line.awaitNoReceiver(kReceiverGrace) : line.awaitReceiverClose(kReceiverGrace);
        if (after == LineStatus::Stopped)
            return stopped();
    }
    return allComplete ? 0 : 1;
}

} // namespace

} // namespace velsnap

using namespace velsnap;

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedCommandLine<Options> parsed = parseOptions(arguments);
    if (const std::optional<int> status = parsed.answer(QStringLiteral("velsnap-device"), writeUtf8))
        return *status;
    try {
        const StopSignals stop;
        return run(parsed.options, stop);
    } catch (const std::exception &e) {
        std::cerr << "velsnap-device: " << e.what() << '\n';
        return 1;
    }
}
