#pragma once

#include "picture/pixel_rows.h"

#include <QString>
#include <utility>
#include <vector>

namespace velsnap {

// One text chunk: a Latin-1 keyword of 1 to 79 characters, and its text.
using PngText = std::pair<QByteArray, QString>;

// `picture` (top row first; red, green, blue) as a PNG file of 8-bit RGB,
// with `texts` in it: tEXt where Latin-1 can hold the text, else UTF-8 in iTXt.
QByteArray encodePng(const PixelRows &picture, const std::vector<PngText> &texts);

} // namespace velsnap
