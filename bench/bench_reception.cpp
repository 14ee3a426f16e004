// Figures for the reception: CPU used while waiting for a device, and the time
// from the header to the closed picture file over an unthrottled pseudo-terminal,
// for the window and for velsnap-capture. Prints figures; sets no pass mark.
// Argument: runs per figure (default 9).
#include "settings/settings_store.h"
#include "support/cpu_time.h"
#include "support/expected_picture.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace velsnap;

namespace {

void pressStopAfter(test::WindowFixture &fixture, int milliseconds)
{
    QTimer::singleShot(milliseconds,
                       [&fixture] { fixture.window().control<QPushButton>(QStringLiteral("cmd_receive"))->click(); });
}

double cpuSecondsWhileWaiting(int seconds)
{
    test::PtyPair quiet;
    test::WindowFixture fixture;
    fixture.storeSetting(kPortsSection, QStringLiteral("COM1"), quiet.slavePath());
    fixture.window().init_form();
    pressStopAfter(fixture, seconds * 1000);
    const double before = test::processCpuSeconds();
    fixture.window().control<QPushButton>(QStringLiteral("cmd_receive"))->click();
    return test::processCpuSeconds() - before;
}

// Milliseconds from the start of reception (the acknowledgement; the header
// follows at once on an unthrottled line) to the picture file in place.
double headerToFileMilliseconds(bool preview)
{
    test::SimulatedDevice device;
    test::WindowFixture fixture;
    fixture.storeSetting(kPortsSection, QStringLiteral("COM1"), device.start({}));
    fixture.window().init_form();
    fixture.window()
        .control<QCheckBox>(QStringLiteral("chk_viewimage"))
        ->setCheckState(preview ? Qt::Checked : Qt::Unchecked);

    QElapsedTimer clock;
    double elapsed = -1;
    QTimer watch; // zero interval: looks once every turn of the event loop
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!clock.isValid() && fixture.text("lbl_status") == texts::kStatusReceiving)
            clock.start();
        if (clock.isValid() && elapsed < 0 && !fixture.pictureFiles().isEmpty())
            elapsed = double(clock.nsecsElapsed()) / 1e6;
        if (elapsed >= 0 && fixture.text("cmd_receive") == texts::kButtonStop)
            fixture.window().control<QPushButton>(QStringLiteral("cmd_receive"))->click();
    });
    watch.start(0);
    pressStopAfter(fixture, 20000); // a run that never completes ends the measurement
    fixture.window().control<QPushButton>(QStringLiteral("cmd_receive"))->click();
    return elapsed;
}

// The same for velsnap-capture, timed from outside: from the acknowledgement
// to its printed path. Each run sends a picture of its own.
double captureHeaderToFileMilliseconds(const QString &folder, quint32 seed)
{
    test::PtyPair line;
    QProcess capture;
    capture.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-capture")),
                  {QStringLiteral("--device"), line.slavePath(), QStringLiteral("--count"), QStringLiteral("1"),
                   QStringLiteral("--folder"), folder});
    const QByteArray copy = QByteArray("HZAURUS").leftJustified(25, ' ') + test::noiseBytes(seed);
    // The first byte goes out until the port is open and answers.
    if (!QTest::qWaitFor([&] { return line.slaveOpen() && line.write(copy.left(1)) && line.read(3, 100) == "OK\r"; },
                         10000))
        return -1;
    QElapsedTimer clock;
    clock.start();
    line.write(copy.mid(1));
    while (!capture.canReadLine() && capture.waitForReadyRead(20000)) {
    }
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    capture.waitForFinished(5000);
    return capture.exitCode() == 0 ? elapsed : -1;
}

void printFigures(const char *what, QList<double> values, const char *unit)
{
    std::sort(values.begin(), values.end());
    std::printf("%-44s min %8.2f  median %8.2f  max %8.2f %s (%lld runs)\n", what, values.first(),
                values.at(values.size() / 2), values.last(), unit, static_cast<long long>(values.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    test::WindowTestEnvironment environment;
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    std::printf("CPU while waiting 10 s for a device: %.3f s (target at most 0.1 s)\n", cpuSecondsWhileWaiting(10));
    for (const bool preview : {false, true}) {
        QList<double> times;
        for (int run = 0; run < runs; ++run)
            times << headerToFileMilliseconds(preview);
        printFigures(preview ? "header to file, preview on" : "header to file, preview off", times,
                     preview ? "ms (target median at most 100 ms)" : "ms (target median at most 50 ms)");
    }
    QTemporaryDir folder;
    QList<double> times;
    for (int run = 0; run < runs; ++run)
        times << captureHeaderToFileMilliseconds(folder.path(), quint32(run));
    printFigures("header to file, velsnap-capture", times, "ms (whole program, timed from outside)");
    return 0;
}
