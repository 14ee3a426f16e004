#include "folders/program_folders.h"

#include "platform/system_places.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace velsnap {

namespace {

QString withSeparator(QString folder, QChar separator)
{
    if (!folder.endsWith(separator))
        folder += separator;
    return folder;
}

} // namespace

ProgramFolders programFoldersFor(const QString &programFolder, bool programFolderWritable, const QString &userPictures,
                                 QChar separator)
{
    const QString app_path = withSeparator(programFolder, separator);
    // Without a pictures folder to go to, the folder beside the program is
    // still the one to try, and the user is told if it cannot be made.
    if (programFolderWritable || userPictures.isEmpty())
        return {app_path, app_path + QStringLiteral("bmp") + separator};
    return {app_path, withSeparator(userPictures, separator) + QStringLiteral("VELSNAP") + separator};
}

ProgramFolders programFoldersOf(const QString &programFolder)
{
    return programFoldersFor(
        programFolder, folderWritable(programFolder),
        absolutePicturesFolder(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), QDir::homePath()));
}

QString absolutePicturesFolder(const QString &named, const QString &home)
{
    if (!named.isEmpty() && QDir::isAbsolutePath(named))
        return named;
    return QDir(home).filePath(QStringLiteral("Pictures"));
}

int makeFolder(const QString &folder)
{
    if (QDir().mkpath(folder))
        return 0;
    const int error = errno;
    // mkpath leaves EEXIST behind when a file stands where a folder should be.
    for (QFileInfo step(QDir::cleanPath(folder));; step = QFileInfo(step.path())) {
        if (step.exists())
            return step.isDir() ? error : ENOTDIR;
        if (step.isRoot() || step.path() == step.filePath())
            return error;
    }
}

} // namespace velsnap
