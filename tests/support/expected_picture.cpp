#include "support/expected_picture.h"

#include <QRandomGenerator>

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

} // namespace velsnap::test
