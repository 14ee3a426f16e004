#include "picture/enlarged_picture.h"

#include <cstring>

namespace velsnap {

QImage enlargedPicture(const QImage &picture, int scale)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB888);
    if (scale == 1)
        return source;
    QImage large(source.width() * scale, source.height() * scale, QImage::Format_RGB888);
    for (int y = 0; y < source.height(); ++y) {
        const uchar *from = source.constScanLine(y);
        uchar *row = large.scanLine(y * scale);
        for (int x = 0; x < source.width(); ++x) {
            for (int copy = 0; copy < scale; ++copy)
                std::memcpy(row + 3 * (x * scale + copy), from + 3 * x, 3);
        }
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(large.scanLine(y * scale + copy), row, size_t(large.width()) * 3);
    }
    return large;
}

} // namespace velsnap
