#include "folders/picture_trash.h"

#include <QFile>

namespace velsnap {

QString moveToTrash(const QString &path)
{
    QFile file(path);
    return file.moveToTrash() ? QString() : file.errorString();
}

} // namespace velsnap
