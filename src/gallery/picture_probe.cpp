#include "picture_probe.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

namespace velsnap {

namespace {

quint32 littleEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

// A picture whose header promises pixels the file does not hold (cut short,
// a palette beyond its bits) has a readable header but no picture. Plain
// bitmaps with the usual header are told from their header and size, as
// Qt's reader lays them out; none when the file is no such bitmap.
std::optional<bool> plainBitmapPixelsPresent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(54);
    if (header.size() < 54 || !header.startsWith("BM"))
        return std::nullopt;
    const quint32 bits = littleEndian(header, 28, 2);
    const bool plain = littleEndian(header, 14, 4) == 40 && littleEndian(header, 30, 4) == 0 &&
                       (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    if (!plain)
        return std::nullopt;
    const qint64 width = qint32(littleEndian(header, 18, 4));
    const qint64 height = std::abs(qint64(qint32(littleEndian(header, 22, 4))));
    const qint64 stride = (width * bits + 31) / 32 * 4;
    const qint64 colours = bits > 8 ? 0 : littleEndian(header, 46, 4) ? littleEndian(header, 46, 4) : 1 << bits;
    if (bits <= 8 && colours > (1 << bits))
        return false;
    // The pixels start where the header says, but never before the palette, which is read first.
    const qint64 start = std::max<qint64>(littleEndian(header, 10, 4), 54 + colours * 4);
    // Divided rather than multiplied: a header's sizes can make any product.
    const qint64 pixelBytes = file.size() - start;
    return width > 0 && height > 0 && pixelBytes >= 0 && stride <= pixelBytes / height;
}

} // namespace

std::optional<QSize> pictureSize(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return std::nullopt;
    const std::optional<bool> present = plainBitmapPixelsPresent(path);
    if (present && !*present)
        return std::nullopt;
    // Any other kind of bitmap, and any other format under a .bmp name, is
    // measured by decoding it, which only odd files need: a header's size
    // there need not be the picture's (a GIF's screen is not its frame).
    const QSize size = present ? reader.size() : QImage(path).size();
    // Pictures beyond the reader's allocation limit do not load either.
    const qint64 megabytes = qint64(size.width()) * size.height() * 4 / (1024 * 1024);
    if (size.isEmpty() || (QImageReader::allocationLimit() > 0 && megabytes >= QImageReader::allocationLimit()))
        return std::nullopt;
    return size;
}

QPixmap reducedPicture(const QImage &picture, QSize size)
{
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace velsnap
