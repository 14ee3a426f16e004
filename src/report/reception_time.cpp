#include "report/reception_time.h"

#include "report/report_texts.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace velsnap {

namespace {

QDateTime timeOfName(const QString &fileName)
{
    static const QRegularExpression dated(
        QStringLiteral("^(\\d\\d)(\\d\\d)(\\d\\d)_(\\d\\d)(\\d\\d)(\\d\\d)(_.*)?\\.bmp$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = dated.match(fileName);
    if (!match.hasMatch())
        return {};
    const auto number = [&match](int field) { return match.captured(field).toInt(); };
    // Written from the local clock with a two-digit year, which
    // QDateTime::fromString would put in the 1900s.
    const QDate date(2000 + number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
}

} // namespace

QDateTime receptionTime(const ReportPicture &picture)
{
    const QDateTime named = timeOfName(QFileInfo(picture.path).fileName());
    return named.isValid() ? named : picture.facts.received;
}

QString dateRange(const std::vector<QDateTime> &times)
{
    std::vector<QDateTime> known;
    std::copy_if(times.begin(), times.end(), std::back_inserter(known), [](const QDateTime &t) { return t.isValid(); });
    if (known.empty())
        return {};
    const auto [first, last] = std::minmax_element(known.begin(), known.end());
    const QString from = first->date().toString(Qt::ISODate);
    const QString to = last->date().toString(Qt::ISODate);
    return from == to ? from : report_texts::kDateRange.arg(from, to);
}

QString shownTime(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace velsnap
