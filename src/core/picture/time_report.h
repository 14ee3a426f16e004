#pragma once

#include <QString>
#include <QTime>

namespace velsnap {

// hh:mm:ss on a 24-hour clock, as the start and end labels show it.
QString timeOfDayText(const QTime &time);

// End minus start, both hh:mm:ss texts, shown as H:mm:ss. Negative minutes and
// seconds borrow from the field above; a run across midnight adds a day.
// Texts that are not times give an empty result.
QString processingTimeText(const QString &start, const QString &end);

} // namespace velsnap
