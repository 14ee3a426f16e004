// Figures for writing one received picture: the time writePictureFile takes
// for a BMP and a PNG, as received and enlarged 3 and 8 times, each run with
// a buffer of its own. Prints medians; sets no pass mark.
// Argument: runs per figure (default 15).
#include "picture/picture_file.h"
#include "picture/picture_geometry.h"
#include "support/simulated_device.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace velsnap;

namespace {

// A screen as the device sends one: flat areas and some detail, different each run.
QByteArray screenBuffer(QRandomGenerator &random)
{
    QByteArray buffer(kPictureBufferBytes, Qt::Uninitialized);
    const char flat = char(random.bounded(256));
    for (int i = 0; i < buffer.size(); ++i)
        buffer[i] = (i / kBufferRowBytes) % 16 < 12 ? flat : char(random.bounded(256));
    return buffer;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const QString headerTemplate = QDir(test::binFolder()).filePath(QStringLiteral("24bit.hed"));
    QRandomGenerator random(20261208);
    QTemporaryDir folder;
    for (const PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png}) {
        for (const int scale : {1, 3, 8}) {
            std::vector<double> ms;
            qint64 bytes = 0;
            for (int run = 0; run < runs; ++run) {
                const QByteArray buffer = screenBuffer(random);
                QElapsedTimer clock;
                clock.start();
                const PictureWriteResult written = writePictureFile(
                    headerTemplate, folder.path(), QDateTime::currentDateTime(), buffer, format, {}, scale);
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                if (!written.ok())
                    return std::fprintf(stderr, "%s\n", qPrintable(written.error)), 1;
                bytes = QFileInfo(QDir(folder.path()).filePath(written.fileName)).size();
                QFile::remove(QDir(folder.path()).filePath(written.fileName));
            }
            std::sort(ms.begin(), ms.end());
            std::printf("%s x%d: median %.2f ms (min %.2f, max %.2f), %lld bytes\n",
                        format == PictureFormat::Png ? "PNG" : "BMP", scale, ms[ms.size() / 2], ms.front(), ms.back(),
                        static_cast<long long>(bytes));
        }
    }
    return 0;
}
