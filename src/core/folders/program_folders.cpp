#include "folders/program_folders.h"

#include "platform/system_places.h"

#include <QStandardPaths>

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
    return programFoldersFor(programFolder, folderWritable(programFolder),
                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

} // namespace velsnap
