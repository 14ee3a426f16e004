#pragma once

#include "picture/pixel_rows.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace velsnap {

// What a PNG keeps of its picture besides the pixels, so a renamed file
// still says when and from which device it came.
struct PictureFacts {
    QDateTime received; // the run's clock at the end of reception
    QString source;     // the device, as pictureSourceOf() names it; empty: not known
};

// `when` as RFC 3339 with its offset from UTC: 2026-12-08T16:05:03+09:00.
QString rfc3339(const QDateTime &when);

// The picture (top row first; red, green, blue) as a PNG, its facts in the
// text chunks "Creation Time", "Source" and "Software".
QByteArray pngWithFacts(const PixelRows &picture, const PictureFacts &facts);

} // namespace velsnap
