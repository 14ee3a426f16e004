#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;
class QString;

namespace velsnap {

inline constexpr int kFrameWidth = 320;
inline constexpr int kFrameHeight = 240;
inline constexpr std::size_t kBlockBytes = 9600;
inline constexpr std::size_t kFrameBytes = kFrameWidth * kFrameHeight * 2;
static_assert(kFrameBytes == 16 * kBlockBytes);

// The pixel data of a screen copy: top row first, each row left to right,
// RGB565 little-endian with the colour channels truncated. Any other size is
// scaled to cover the screen and centred.
std::vector<std::uint8_t> frameBytes(const QImage &image);

// Throws std::runtime_error when the file cannot be read as a picture.
QImage loadPicture(const QString &path);

} // namespace velsnap
