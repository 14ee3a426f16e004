#pragma once

#include "report/pdf_report.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace velsnap {

// When `picture` arrived: from its name when that is one of the program's
// (yymmdd_hhmmss.bmp, also with a suffix such as _2), which stays with the
// file; else its facts; invalid when neither says.
QDateTime receptionTime(const ReportPicture &picture);

// The dates that `times` span ("2026-03-05", "2026-03-05 〜 2026-03-07"),
// invalid ones left out; empty when none is valid.
QString dateRange(const std::vector<QDateTime> &times);

// How a caption shows a time.
QString shownTime(const QDateTime &time);

} // namespace velsnap
