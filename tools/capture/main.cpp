// velsnap-capture: receives screen copies without a window, for scripts,
// test rigs and machines reached over ssh.
#include "capture_options.h"
#include "folders/program_folders.h"
#include "run/picture_source.h"
#include "run/reception_run.h"
#include "serial/port_settings.h"
#include "serial/qt_serial_line.h"
#include "settings/stored_port.h"
#include "system/signal_notifier.h"
#include "terminal_front_end.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace velsnap;

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velsnap-capture"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELSNAP_VERSION));

    const ParsedCommandLine parsed = parseCaptureCommandLine(QCoreApplication::arguments());
    if (!parsed.earlyText.isEmpty()) {
        std::fputs(parsed.earlyText.toLocal8Bit().constData(), stdout);
        return kExitDone;
    }
    if (!parsed.error.isEmpty()) {
        printError(
            QStringLiteral("velsnap-capture: %1\n「velsnap-capture --help」で使い方を表示します。").arg(parsed.error));
        return kExitUsage;
    }
    const CaptureOptions &options = parsed.options;

    SettingsStore settings;
    const int port = options.port.value_or(storedPortNumber(settings));
    const QString device = options.device.isEmpty() ? currentDeviceForPort(port, settings) : options.device;

    ProgramFolders folders = programFoldersOf(QCoreApplication::applicationDirPath());
    if (!options.folder.isEmpty())
        folders.image_path = QDir(options.folder).absolutePath() + u'/';
    if (!QDir().mkpath(folders.image_path)) {
        printError(texts::kPictureFolderUnusable.arg(QDir::toNativeSeparators(folders.image_path),
                                                     QString::fromLocal8Bit(std::strerror(errno))));
        return kExitNotWritten;
    }

    QtSerialLine line([&](int) { return device; });
    TerminalFrontEnd frontEnd(device, ::isatty(STDERR_FILENO) == 1);
    ReceptionRun run({line, frontEnd, folders, [port] { return port; }, [&](int) { return pictureSourceOf(device); }});
    run.setSilenceLimit(options.timeoutMs);
    run.setPictureFormat(options.format);
    run.setPictureScale(options.scale);

    // A stop signal ends the program at once: the waiting run drops its picture.
    bool stopped = false;
    const SignalNotifier stopSignals({SIGINT, SIGTERM}, [&](int) {
        stopped = true;
        run.cancel();
    });

    for (;;) {
        const RunOutcome outcome = run.receive_image();
        if (stopped)
            return kExitDone;
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
                frontEnd.message(QStringLiteral("シリアルポートを開けません: %1").arg(device),
                                 line.openFailureReason());
            return exitStatusFor(outcome, run);
        default:
            return exitStatusFor(outcome, run);
        }
    }
}
