#include "picture_probe.h"

#include <QImage>
#include <QImageReader>

namespace velsnap {

std::optional<QSize> pictureSize(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return std::nullopt;
    const QSize size = reader.size();
    // Pictures beyond the reader's allocation limit do not load either.
    const qint64 megabytes = qint64(size.width()) * size.height() * 4 / (1024 * 1024);
    if (size.isEmpty() || (QImageReader::allocationLimit() > 0 && megabytes >= QImageReader::allocationLimit()))
        return std::nullopt;
    return size;
}

QPixmap reducedPicture(const QImage &picture, QSize size)
{
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace velsnap
