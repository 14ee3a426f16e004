#pragma once

#include <QByteArray>

namespace velsnap::test {

// One copy's pixel data as the device sent it (RGB565, low byte first, top
// row first), worked out apart from the program as the picture data its file
// must hold: rows bottom-up, blue, green, red per pixel.
QByteArray expectedPixelData(const QByteArray &sentCopy);

} // namespace velsnap::test
