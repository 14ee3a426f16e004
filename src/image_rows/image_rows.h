#pragma once

#include "picture/pixel_rows.h"

#include <QImage>

namespace velsnap {

// A QImage as the core's pixel rows (top row first; red, green, blue), and back.
PixelRows rgbRowsOf(const QImage &picture);
QImage imageOf(const PixelRows &rows);

} // namespace velsnap
