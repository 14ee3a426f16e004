#include "folders/picture_trash.h"

#include "texts.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace velsnap {

QString moveToTrash(const QString &path)
{
    // Without the user's data folder Qt 6.4 cannot make the trash there and
    // moves the file into the working folder instead, reporting success.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!QDir().mkpath(data))
        return texts::kTrashFolderNotMade.arg(QDir::toNativeSeparators(data));
    QFile file(path);
    return file.moveToTrash() ? QString() : file.errorString();
}

} // namespace velsnap
