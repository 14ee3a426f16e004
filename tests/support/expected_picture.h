#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace velsnap::test {

// One copy's pixel data as the device sent it (RGB565, low byte first, top
// row first), worked out apart from the program as the picture data its file
// must hold: rows bottom-up, blue, green, red per pixel.
QByteArray expectedPixelData(const QByteArray &sentCopy);

// `size` bytes of noise from `seed` (a whole multiple of 4): a copy's pixel
// data (153600) or a picture buffer of its own for each seed.
QByteArray noiseBytes(quint32 seed, int size = 153600);

// Empty when `large` is `source` enlarged `scale` times, every pixel that of
// its block's source pixel; else the first difference.
QString enlargementFault(const QImage &large, const QImage &source, int scale);

// Empty when the PNG at `path` says it came from `source`, at a time given
// as RFC 3339 with its offset, from this program; else what is wrong.
QString pngFactsFault(const QString &path, const QString &source);

} // namespace velsnap::test
