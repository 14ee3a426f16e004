#include "support/expected_picture.h"

#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace velsnap::test {

QByteArray expectedPixelData(const QByteArray &sentCopy)
{
    constexpr int width = 320;
    constexpr int height = 240;
    QByteArray pixels(width * height * 3, '\0');
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const int at = 2 * (row * width + x);
            const unsigned value = quint8(sentCopy[at]) | unsigned(quint8(sentCopy[at + 1])) << 8;
            const int to = (height - 1 - row) * width * 3 + 3 * x;
            pixels[to] = char((value & 0x1F) << 3);
            pixels[to + 1] = char(((value >> 5) & 0x3F) << 2);
            pixels[to + 2] = char((value >> 11) << 3);
        }
    }
    return pixels;
}

QByteArray noiseBytes(quint32 seed, int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return bytes;
}

QString enlargementFault(const QImage &large, const QImage &source, int scale)
{
    if (large.size() != source.size() * scale)
        return QStringLiteral("size %1 x %2").arg(large.width()).arg(large.height());
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x) {
            if (large.pixel(x, y) != source.pixel(x / scale, y / scale))
                return QStringLiteral("pixel %1, %2").arg(x).arg(y);
        }
    }
    return {};
}

QString pngFactsFault(const QString &path, const QString &source)
{
    const QImage png(path, "png"); // a reader alone files a key with a space under "Description"
    static const QRegularExpression rfc3339(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"));
    const QString when = png.text(QStringLiteral("Creation Time"));
    if (!rfc3339.match(when).hasMatch())
        return QStringLiteral("Creation Time: ") + when;
    if (png.text(QStringLiteral("Source")) != source)
        return QStringLiteral("Source: ") + png.text(QStringLiteral("Source"));
    if (png.text(QStringLiteral("Software")) != QStringLiteral("VELSNAP 3.0"))
        return QStringLiteral("Software: ") + png.text(QStringLiteral("Software"));
    return {};
}

} // namespace velsnap::test
