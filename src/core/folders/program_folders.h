#pragma once

#include <QChar>
#include <QString>

namespace velsnap {

// The program folder and the picture folder, each ending in exactly one
// separator.
struct ProgramFolders {
    QString app_path;
    QString image_path;
};

#ifdef Q_OS_WIN
inline constexpr QChar kPathSeparator = u'\\';
#else
inline constexpr QChar kPathSeparator = u'/';
#endif

// Where the program keeps its pictures: "bmp" beside the program when the
// user can write the program folder (a build, an install under the home, a
// portable copy), else "VELSNAP" in the user's pictures folder (a shared
// install). A root folder already ends in the separator and gets no second one.
ProgramFolders programFoldersFor(const QString &programFolder, bool programFolderWritable, const QString &userPictures,
                                 QChar separator = kPathSeparator);

// The same for the running program's folder, asking the system whether the
// user may write it and where the user's pictures folder is.
ProgramFolders programFoldersOf(const QString &programFolder);

} // namespace velsnap
