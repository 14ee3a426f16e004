#include "picture/enlarged_picture.h"

#include <cstring>

namespace velsnap {

PixelRows enlargedPicture(const PixelRows &picture, int scale)
{
    if (scale == 1)
        return picture;
    PixelRows large{picture.width * scale, picture.height * scale, {}};
    const qsizetype fromRowBytes = qsizetype(picture.width) * 3;
    const qsizetype rowBytes = fromRowBytes * scale;
    large.bytes.resize(rowBytes * large.height);
    for (int y = 0; y < picture.height; ++y) {
        const char *from = picture.bytes.constData() + y * fromRowBytes;
        char *row = large.bytes.data() + y * scale * rowBytes;
        for (int x = 0; x < picture.width; ++x) {
            for (int copy = 0; copy < scale; ++copy)
                std::memcpy(row + 3 * (x * scale + copy), from + 3 * x, 3);
        }
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(row + copy * rowBytes, row, size_t(rowBytes));
    }
    return large;
}

} // namespace velsnap
