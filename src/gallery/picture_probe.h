#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <optional>

class QImage;

namespace velsnap {

// The size of the picture in file `path`, read from its header alone; none
// when the file is not a picture that loads, also where a bitmap's header is
// sound but the pixels it promises are not in the file.
std::optional<QSize> pictureSize(const QString &path);

// A picture reduced once to `size` with the smooth scaling an image control
// that stretches its picture uses, colours unchanged.
QPixmap reducedPicture(const QImage &picture, QSize size);

} // namespace velsnap
