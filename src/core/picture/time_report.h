#pragma once

#include <QString>
#include <QTime>

namespace velsnap {

// hh:mm:ss on a 24-hour clock, as the start and end labels show it.
QString timeOfDayText(const QTime &time);

// End minus start in whole seconds of the clock, shown as H:mm:ss; a run
// across midnight adds a day.
QString processingTimeText(const QTime &start, const QTime &end);

} // namespace velsnap
