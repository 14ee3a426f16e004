#pragma once

#include <QImage>

namespace velsnap {

inline constexpr int kLargestScale = 8;

// `picture` `scale` times as wide and as high, each pixel a block of its own
// colour: no smoothing blurs the device's lettering. 24 bits per pixel.
QImage enlargedPicture(const QImage &picture, int scale);

} // namespace velsnap
