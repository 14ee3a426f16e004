// Start-up with many pictures kept in the picture folder (the user answers
// No): the time from the answer until the port is open, the memory held, and
// how long a scroll step with its repaint takes.
//
//   bench_strip make FOLDER COUNT   COUNT distinct 320 x 240 pictures, named as the run names them
//   bench_strip run FOLDER          one start-up with the pictures of FOLDER kept
//
// `run` prints one line of figures; bench/strip.sh repeats it and takes medians.
#include "gallery/thumbnail_strip.h"
#include "picture/picture_file.h"
#include "picture/picture_geometry.h"
#include "settings/settings_store.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace velsnap;

namespace {

// A kB figure of /proc/self/status, in MB.
double statusMegabytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double milliseconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Pictures as the device sends them, each one different: a gradient with the
// picture's number in its first pixels, behind the program's own header.
int makePictures(const QString &folder, int count)
{
    QFile templateFile(test::binFolder() + QStringLiteral("/24bit.hed"));
    if (!QDir().mkpath(folder) || !templateFile.open(QIODevice::ReadOnly))
        qFatal("cannot prepare %s", qPrintable(folder));
    const QByteArray header = templateFile.read(kBitmapHeaderBytes);
    QByteArray pixels(kPictureBufferBytes, '\0');
    for (int i = 0; i < kPictureBufferBytes; ++i)
        pixels[i] = char(((i % kBufferRowBytes) / 4 + i / kBufferRowBytes) & 0xF8);
    const QDateTime first(QDate(2024, 1, 1), QTime(0, 0));
    for (int i = 0; i < count; ++i) {
        for (int byte = 0; byte < 4; ++byte)
            pixels[byte] = char(i >> (8 * byte));
        QFile file(folder + u'/' + pictureFileName(first.addSecs(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(header + pixels) != kPictureFileBytes)
            qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    return 0;
}

struct ScrollFigures {
    std::vector<double> steps;   // one arrow step, with its repaint
    std::vector<double> jumps;   // the bar moved far, with its repaint
    std::vector<double> settled; // after a jump, until the thumbnails in view are drawn
};

ScrollFigures scroll(FrmMain &window)
{
    auto *bar = window.control<QScrollBar>(QStringLiteral("VScroll1"));
    StripCanvas &canvas = window.strip().canvas();
    const int max = bar->maximum();
    ScrollFigures figures;
    for (int value : {max / 2, 1, max, max / 3, 0, max - 7, 2 * max / 3}) {
        QElapsedTimer clock;
        clock.start();
        bar->setValue(value);
        window.repaint();
        figures.jumps.push_back(milliseconds(clock));
        QSignalSpy read(&canvas, &StripCanvas::thumbnailsRead);
        if (canvas.waitingForThumbnails())
            read.wait();
        window.repaint();
        figures.settled.push_back(milliseconds(clock));
        for (int step = 0; step < 4 && bar->value() < max; ++step) {
            clock.restart();
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            window.repaint();
            figures.steps.push_back(milliseconds(clock));
        }
    }
    return figures;
}

int runStartUp(const QString &pictures)
{
    test::PtyPair quiet;
    test::WindowFixture fixture; // the user answers No: the pictures are kept
    fixture.storeSetting(kPortsSection, QStringLiteral("COM1"), quiet.slavePath());
    if (!QFile::link(QDir(pictures).absolutePath(), fixture.pictureFolder()))
        qFatal("cannot use %s", qPrintable(pictures));
    const int count = int(QDir(pictures).entryList({QStringLiteral("*.bmp")}, QDir::Files).size());
    FrmMain &window = fixture.window();
    window.show();
    QCoreApplication::processEvents();

    // As the program starts: start-up, then reception, which opens the port.
    QElapsedTimer clock;
    fixture.dialogs.answered = [&] { clock.start(); };
    window.init_form();
    double toPortOpen = -1;
    double rss = -1;
    auto *button = window.control<QPushButton>(QStringLiteral("cmd_receive"));
    QTimer watch; // zero interval: looks once every turn of the reception's waits
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (toPortOpen < 0 && fixture.text("lbl_status") == texts::kStatusWaiting) {
            toPortOpen = milliseconds(clock) / 1000;
            rss = statusMegabytes("VmRSS");
            button->click(); // stop
        }
    });
    watch.start(0);
    button->click();
    watch.stop();

    ThumbnailStrip &strip = window.strip();
    const int rowLimit = 16384; // the bar's 16-bit maximum reaches rows 0 to 16383
    const int expected = std::min(count, rowLimit);
    const ScrollFigures figures = scroll(window);
    QString refusal = QStringLiteral("-");
    if (count == rowLimit) {
        // One more, after the last row the bar can reach: refused, and its row reused when offered again.
        const QString more = QStringLiteral("more.bmp");
        if (!QFile::copy(fixture.pictureFolder() + u'/' + pictureFileName(QDateTime(QDate(2024, 1, 1), QTime(0, 0))),
                         fixture.pictureFolder() + u'/' + more))
            qFatal("cannot copy a picture");
        strip.add_thumbnail(more);
        strip.add_thumbnail(more);
        QFile::remove(fixture.pictureFolder() + u'/' + more);
        const bool refused = strip.imageCount() == rowLimit && strip.elementCount() == rowLimit + 1 &&
                             window.control<QScrollBar>(QStringLiteral("VScroll1"))->maximum() == 2 * (rowLimit - 1);
        refusal = refused ? QStringLiteral("refused") : QStringLiteral("NOT-REFUSED");
    }

    std::printf("pictures=%d added=%d to_port_open_s=%.3f rss_mb=%.1f hwm_mb=%.1f step_median_ms=%.3f "
                "step_max_ms=%.3f jump_median_ms=%.3f jump_max_ms=%.3f settled_median_ms=%.1f row%d=%s\n",
                count, strip.imageCount(), toPortOpen, rss, statusMegabytes("VmHWM"), median(figures.steps),
                *std::max_element(figures.steps.begin(), figures.steps.end()), median(figures.jumps),
                *std::max_element(figures.jumps.begin(), figures.jumps.end()), median(figures.settled), rowLimit,
                qPrintable(refusal));
    return strip.imageCount() == expected && toPortOpen >= 0 && refusal != QStringLiteral("NOT-REFUSED") ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    test::WindowTestEnvironment environment;
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("make"))
        return makePictures(arguments[2], arguments[3].toInt());
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("run"))
        return runStartUp(arguments[2]);
    std::fprintf(stderr, "usage: bench_strip make FOLDER COUNT | bench_strip run FOLDER\n");
    return 2;
}
