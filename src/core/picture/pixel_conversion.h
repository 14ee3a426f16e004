#pragma once

#include "picture/picture_geometry.h"

#include <QByteArray>
#include <cstdint>

namespace velsnap {

struct Bgr {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    bool operator==(const Bgr &) const = default;
};

// RGB565, low byte first. The significant bits stay at the top of each
// channel with zero low bits, so white becomes 248/252/248.
constexpr Bgr convertPixel(std::uint8_t low, std::uint8_t high)
{
    return Bgr{std::uint8_t((low & 0x1F) * 8), std::uint8_t((high & 0x07) * 32 + ((low >> 3) & 0x1C)),
               std::uint8_t(high & 0xF8)};
}

// Where the next converted pixel goes; runs on across the blocks of one picture.
struct ConversionState {
    int i = kPictureBufferBytes - kBufferRowBytes; // first byte of the bottom buffer row
    int x = 0;
    int y = 0; // device rows completed
};

// What the conversion asks of its surroundings, pixel by pixel.
class ConversionObserver {
public:
    virtual ~ConversionObserver() = default;
    virtual bool cancelled() const = 0;
    virtual bool previewOn() const = 0;
    virtual void drawPoint(int x, int y, Bgr colour) = 0;
    virtual void rowsConverted(int byteCount) = 0;
};

enum class BlockOutcome { Converted, Cancelled };

// Converts one block of kBlockBytes into `buffer` (kPictureBufferBytes long),
// device rows top-down into buffer rows bottom-up.
BlockOutcome convertBlock(const QByteArray &block, ConversionState &state, QByteArray &buffer,
                          ConversionObserver &observer);

} // namespace velsnap
