#include "image_rows/image_rows.h"

namespace velsnap {

PixelRows rgbRowsOf(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const qsizetype rowBytes = qsizetype(rgb.width()) * 3;
    PixelRows rows{rgb.width(), rgb.height(), {}};
    rows.bytes.reserve(rowBytes * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) // without the filler at the end of QImage's rows
        rows.bytes.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rowBytes);
    return rows;
}

QImage imageOf(const PixelRows &rows)
{
    return QImage(reinterpret_cast<const uchar *>(rows.bytes.constData()), rows.width, rows.height, rows.width * 3,
                  QImage::Format_RGB888)
        .copy();
}

} // namespace velsnap
