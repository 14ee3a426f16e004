#include "folders/program_folders.h"

namespace velsnap {

ProgramFolders programFoldersFor(const QString &programFolder, QChar separator)
{
    QString app_path = programFolder;
    if (!app_path.endsWith(separator))
        app_path += separator;
    return {app_path, app_path + QStringLiteral("bmp") + separator};
}

} // namespace velsnap
