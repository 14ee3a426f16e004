#include "platform/system_places.h"

#include <QFileInfo>

namespace velsnap {

bool folderWritable(const QString &folder)
{
    // QFileInfo asks access(2), which also says no on a read-only file
    // system, where the permission bits would let root write.
    return QFileInfo(folder).isWritable();
}

QSettings openSettingsStore()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"));
}

} // namespace velsnap
