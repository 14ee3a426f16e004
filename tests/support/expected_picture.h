#pragma once

#include <QByteArray>

namespace velsnap::test {

// One copy's pixel data as the device sent it (RGB565, low byte first, top
// row first), worked out apart from the program as the picture data its file
// must hold: rows bottom-up, blue, green, red per pixel.
QByteArray expectedPixelData(const QByteArray &sentCopy);

// `size` bytes of noise from `seed` (a whole multiple of 4): a copy's pixel
// data (153600) or a picture buffer of its own for each seed.
QByteArray noiseBytes(quint32 seed, int size = 153600);

} // namespace velsnap::test
