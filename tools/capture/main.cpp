// velsnap-capture: receives screen copies without a window, for scripts,
// test rigs and machines reached over ssh.
#include "capture_options.h"
#include "capture_texts.h"
#include "device_return.h"
#include "folders/program_folders.h"
#include "platform/console_text.h"
#include "platform/home_variable.h"
#include "platform/progress_terminal.h"
#include "platform/stop_requests.h"
#include "run/picture_source.h"
#include "run/reception_run.h"
#include "serial/device_serial_line.h"
#include "serial/event_wait.h"
#include "serial/port_settings.h"
#include "settings/stored_port.h"
#include "terminal_front_end.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace velsnap;

namespace {

void printError(const QString &text)
{
    writeText(stderr, text + u'\n');
}

int exitStatusFor(RunOutcome outcome, const ReceptionRun &run)
{
    switch (outcome) {
    case RunOutcome::PortNotOpened:
        return run.lastOpenResult() == OpenResult::InUse ? kExitPortInUse : kExitPortUnusable;
    case RunOutcome::LineLost:
        return kExitLineLost;
    case RunOutcome::NotWritten:
        return kExitNotWritten;
    default:
        return kExitDone;
    }
}

// A line lost under a device that is still there gets a moment before the
// next open, so that a line that keeps failing costs nothing.
void pause(int milliseconds, const std::function<bool()> &stopped)
{
    bool over = false;
    QTimer::singleShot(milliseconds, [&over] { over = true; });
    waitWithEvents([&over] { return over; }, stopped);
}

} // namespace

int main(int argc, char *argv[])
{
    ensureHomeVariable();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velsnap-capture"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELSNAP_VERSION));

    const ParsedCommandLine<CaptureOptions> parsed = parseCaptureCommandLine(QCoreApplication::arguments());
    if (const std::optional<int> status = parsed.answer(QCoreApplication::applicationName(), writeText))
        return *status;
    const CaptureOptions &options = parsed.options;

    SettingsStore settings;
    const int port = options.port.value_or(storedPortNumber(settings));
    const QString device = options.device.isEmpty() ? currentDeviceForPort(port, settings) : options.device;

    ProgramFolders folders = programFoldersOf(QCoreApplication::applicationDirPath());
    if (!options.folder.isEmpty())
        folders.image_path = QDir(options.folder).absolutePath() + u'/';
    if (const int error = makeFolder(folders.image_path); error != 0) {
        printError(texts::kPictureFolderUnusable.arg(QDir::toNativeSeparators(folders.image_path),
                                                     QString::fromLocal8Bit(std::strerror(error))));
        return kExitNotWritten;
    }

    DeviceSerialLine line([&](int) { return device; }, [&settings] { return storedPortText(settings); });
    TerminalFrontEnd frontEnd(device, errorTerminalRedrawsLines());
    ReceptionRun run({line, frontEnd, folders, [port] { return port; }, [&](int) { return pictureSourceOf(device); }});
    run.setSilenceLimit(options.timeoutMs);
    run.setPictureFormat(options.format);
    run.setPictureScale(options.scale);

    // A stop signal ends the program at once: the waiting run drops its
    // picture. A hang-up is one too: an ssh connection that drops must not
    // leave the port's lock file behind.
    bool stopped = false;
    const StopRequests stopRequests(StopSource::Console, [&] {
        stopped = true;
        run.cancel();
    });
    const auto isStopped = [&stopped] { return stopped; };

    // Just after a replug, ModemManager may hold the port for a few seconds.
    constexpr int kBusyTriesAfterReplug = 10;
    int busyTries = 0;
    for (;;) {
        // The retries say once that the port is in use.
        frontEnd.silenceRepeats(busyTries > 0);
        const RunOutcome outcome = run.receive_image();
        if (stopped)
            return kExitDone;
        const bool gone = !QFileInfo::exists(device);
        const bool notOpened = outcome == RunOutcome::PortNotOpened;
        const bool busy = notOpened && run.lastOpenResult() == OpenResult::InUse && busyTries > 0;
        busyTries = busy ? busyTries - 1 : 0;
        if (options.keepGoing && (outcome == RunOutcome::LineLost || (notOpened && gone) || busy)) {
            if (gone) {
                frontEnd.message(capture_texts::kDeviceGone.arg(QDir::toNativeSeparators(device)), {});
                if (!waitForDevice(device, isStopped))
                    return kExitDone;
                frontEnd.message(capture_texts::kDeviceBack.arg(QDir::toNativeSeparators(device)), {});
                busyTries = kBusyTriesAfterReplug;
            } else {
                pause(1000, isStopped);
            }
            run.rearm();
            continue;
        }
        switch (outcome) {
        case RunOutcome::Saved:
            if (options.count > 0 && frontEnd.saved() >= options.count)
                return kExitDone;
            break;
        case RunOutcome::NotScreenCopy:
        case RunOutcome::Silent:
            run.rearm(); // nobody is there to press start again
            break;
        case RunOutcome::PortNotOpened:
            // The window stays silent where nothing better is known; a script's log should still say it.
            if (run.lastOpenResult() == OpenResult::Failed)
                frontEnd.message(capture_texts::kCannotOpen.arg(device), line.openFailureReason());
            return exitStatusFor(outcome, run);
        default:
            return exitStatusFor(outcome, run);
        }
    }
}
