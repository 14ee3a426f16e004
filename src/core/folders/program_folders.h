#pragma once

#include <QChar>
#include <QString>

namespace velsnap {

// The program folder and the picture folder beside the program, each ending
// in exactly one separator.
struct ProgramFolders {
    QString app_path;
    QString image_path;
};

#ifdef Q_OS_WIN
inline constexpr QChar kPathSeparator = u'\\';
#else
inline constexpr QChar kPathSeparator = u'/';
#endif

// From the folder of the running program (a root folder already ends in the
// separator and gets no second one).
ProgramFolders programFoldersFor(const QString &programFolder, QChar separator = kPathSeparator);

} // namespace velsnap
