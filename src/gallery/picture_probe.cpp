#include "picture_probe.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
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

// A bitmap whose header promises pixels the file does not hold (cut short,
// a palette beyond its bits) has a readable header but no picture. Plain and
// bit-field bitmaps are told from their header and size; compressed ones
// are decoded, which only odd files need.
bool bitmapPixelsPresent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(54);
    if (header.size() < 54 || !header.startsWith("BM"))
        return true; // not a Windows bitmap: its reader's look counts
    const quint32 compression = littleEndian(header, 30, 4);
    if (compression != 0 && compression != 3)
        return !QImage(path).isNull();
    const qint64 width = qint32(littleEndian(header, 18, 4));
    const qint64 height = std::abs(qint64(qint32(littleEndian(header, 22, 4))));
    const quint32 bits = littleEndian(header, 28, 2);
    const qint64 stride = (width * bits + 31) / 32 * 4;
    const bool paletteFits = bits > 8 || littleEndian(header, 46, 4) <= (1u << bits);
    return paletteFits && file.size() >= qint64(littleEndian(header, 10, 4)) + stride * height;
}

} // namespace

std::optional<QSize> pictureSize(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead() || !bitmapPixelsPresent(path))
        return std::nullopt;
    const QSize size = reader.size();
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
