#include "picture/time_report.h"

namespace velsnap {

namespace {
constexpr int kSecondsPerDay = 24 * 60 * 60;
}

QString timeOfDayText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString processingTimeText(const QString &start, const QString &end)
{
    const QTime from = QTime::fromString(start, QStringLiteral("H:m:s"));
    const QTime to = QTime::fromString(end, QStringLiteral("H:m:s"));
    if (!from.isValid() || !to.isValid())
        return {};
    int seconds = from.secsTo(to);
    if (seconds < 0)
        seconds += kSecondsPerDay;
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("H:mm:ss"));
}

} // namespace velsnap
