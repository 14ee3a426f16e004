#include "platform/linux/live_system_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velsnap {

QString LiveSystemView::text(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.read(1 << 20)) : QString();
}

QString LiveSystemView::link(const QString &path) const
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : QString();
}

QStringList LiveSystemView::entries(const QString &folder) const
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace velsnap
