#pragma once

#include <QString>
#include <QStringList>

namespace velsnap {

// Whether `a` comes before `b` in name order as the file systems this
// program was made for list a folder: case-insensitive, letters compared in
// upper case; names equal but for case in plain code order.
bool comesBeforeInNameOrder(const QString &a, const QString &b);

// The names in that order. The program's own names then come oldest first.
QStringList inNameOrder(QStringList names);

// Every *.bmp (any case) of the folder, in name order.
QStringList keptPictureNames(const QString &folder);

} // namespace velsnap
