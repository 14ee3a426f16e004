// Start-up with many pictures kept in the picture folder (the user keeps
// them): how long until every thumbnail is in the strip, how much memory the
// strip holds, and whether scrolling still answers at once.
//
//   bench_strip COUNT   COUNT hard links to one 320 x 240 picture
//
// Prints one line of figures; bench/strip.sh repeats it and takes medians.
#include "picture/picture_file.h"
#include "support/cpu_time.h"
#include "support/test_main.h"
#include "support/window_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
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

// One picture with some detail, then hard links to it under dated names, as
// the reception run names its files.
QStringList fillPictureFolder(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 319, y * 255 / 239, (x ^ y) & 0xF8));
    }
    const QDateTime first(QDate(2024, 1, 1), QTime(0, 0));
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << pictureFileName(first.addSecs(i));
        const QString path = folder + u'/' + names.last();
        const bool made = i == 0 ? picture.save(path, "BMP")
                                 : ::link(QFile::encodeName(folder + u'/' + names.first()).constData(),
                                          QFile::encodeName(path).constData()) == 0;
        if (!made)
            qFatal("cannot make %s", qPrintable(path));
    }
    return names;
}

// Milliseconds for each bar position to reach the screen.
std::vector<double> scrollTimes(FrmMain &window)
{
    auto *bar = window.control<QScrollBar>(QStringLiteral("VScroll1"));
    const int max = bar->maximum();
    std::vector<double> times;
    for (int value : {1, max / 2, max / 2 + 1, max, max - 1, 0, 2, max / 3}) {
        QElapsedTimer clock;
        clock.start();
        bar->setValue(value);
        window.repaint();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return times;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    test::HeadlessEnvironment environment;
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    if (count < 1)
        qFatal("usage: bench_strip COUNT");

    test::WindowFixture fixture; // the user answers No: the pictures are kept
    const QStringList names = fillPictureFolder(fixture.pictureFolder(), count);
    FrmMain &window = fixture.window();
    window.show();
    QCoreApplication::processEvents();
    const double rssBefore = statusMegabytes("VmRSS");

    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = test::processCpuSeconds();
    window.init_form();
    const double addSeconds = double(clock.nsecsElapsed()) / 1e9;
    const double addCpuSeconds = test::processCpuSeconds() - cpuBefore;
    QCoreApplication::processEvents();

    const double rss = statusMegabytes("VmRSS");
    const double hwm = statusMegabytes("VmHWM");
    const std::vector<double> scroll = scrollTimes(window);

    ThumbnailStrip &strip = window.strip();
    const auto *container = window.control<QWidget>(QStringLiteral("pic_cont"));
    const int rowLimit = 16384; // the bar's 16-bit maximum reaches rows 0 to 16383
    const int expected = std::min(count, rowLimit);
    const qsizetype elements = strip.elementCount();
    QString refusal = QStringLiteral("-");
    if (count > rowLimit) {
        // Offered again, the refused picture must reuse its row, not make a twin.
        strip.add_thumbnail(names.at(rowLimit));
        const bool refused = strip.imageCount() == rowLimit && strip.lbl_filename(rowLimit)->text().isEmpty() &&
                             window.control<QScrollBar>(QStringLiteral("VScroll1"))->maximum() == 2 * (rowLimit - 1) &&
                             strip.elementCount() == elements;
        refusal = refused ? QStringLiteral("refused") : QStringLiteral("NOT-REFUSED");
    }

    std::printf("pictures=%d added=%d expected=%d add_s=%.3f add_cpu_s=%.3f rss_mb=%.1f rss_before_mb=%.1f hwm_mb=%.1f "
                "scroll_median_ms=%.2f scroll_max_ms=%.2f row%d=%s\n",
                count, strip.imageCount(), expected, addSeconds, addCpuSeconds, rss, rssBefore, hwm, median(scroll),
                *std::max_element(scroll.begin(), scroll.end()), rowLimit, qPrintable(refusal));
    return strip.imageCount() == expected && refusal != QStringLiteral("NOT-REFUSED") ? 0 : 1;
}
