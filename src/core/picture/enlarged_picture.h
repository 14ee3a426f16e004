#pragma once

#include "picture/pixel_rows.h"

namespace velsnap {

inline constexpr int kLargestScale = 8;

// `picture` `scale` times as wide and as high, each pixel a block of its own
// colour: no smoothing blurs the device's lettering. Rows and colours keep
// their order.
PixelRows enlargedPicture(const PixelRows &picture, int scale);

} // namespace velsnap
