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

// The user's pictures folder as the desktop names it, where that is an
// absolute path; a relative entry counts for nothing (as in the base-directory
// rules), and then it is "Pictures" in `home`.
QString absolutePicturesFolder(const QString &named, const QString &home);

// Makes `folder` with its parents where it is missing: 0 when it is a folder
// now, else the reason as an errno value (ENOTDIR when a file is in the way).
int makeFolder(const QString &folder);

} // namespace velsnap
