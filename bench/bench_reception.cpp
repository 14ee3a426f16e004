// Figures for the reception: CPU used while waiting for a device, and the time
// from the header to the closed picture file over an unthrottled pseudo-terminal.
// Prints figures; sets no pass mark.
#include "settings/settings_store.h"
#include "support/cpu_time.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
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

void printFigures(const char *what, QList<double> values, const char *unit)
{
    std::sort(values.begin(), values.end());
    std::printf("%-44s min %8.2f  median %8.2f  max %8.2f %s (%lld runs)\n", what, values.first(),
                values.at(values.size() / 2), values.last(), unit, static_cast<long long>(values.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    test::HeadlessEnvironment environment;
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
    return 0;
}
