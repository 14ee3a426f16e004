#include "picture/time_report.h"

namespace velsnap {

namespace {
constexpr int kSecondsPerDay = 24 * 60 * 60;
}

QString timeOfDayText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString processingTimeText(const QTime &start, const QTime &end)
{
    int seconds = start.secsTo(end); // whole seconds, as the labels show them
    if (seconds < 0)
        seconds += kSecondsPerDay;
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("H:mm:ss"));
}

} // namespace velsnap
