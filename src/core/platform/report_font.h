#pragma once

#include <QByteArray>
#include <QString>

namespace velsnap {

// IPAPGothic: the family the window asks for, so a report reads as the window does.
inline constexpr char kReportFontName[] = "ipagp.ttf";

// Where this system keeps the Japanese TrueType font that reports embed;
// empty when it is not there.
QString reportFontFile();

// `path` as the C library's fopen() takes it, for a library that opens the
// file itself.
QByteArray pathForCLibrary(const QString &path);

} // namespace velsnap
