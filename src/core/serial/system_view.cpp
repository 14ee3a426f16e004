#include "serial/system_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velsnap {

QString FakeSystemView::text(const QString &path) const
{
    const auto found = files.find(path);
    return found == files.end() ? QString() : found->second;
}

QString FakeSystemView::link(const QString &path) const
{
    const auto found = links.find(path);
    return found == links.end() ? QString() : found->second;
}

QStringList FakeSystemView::entries(const QString &folder) const
{
    QStringList names;
    const QString prefix = folder + u'/';
    for (const auto *paths : {&files, &links}) {
        for (const auto &[path, unused] : *paths) {
            if (path.startsWith(prefix)) {
                const QString name = path.mid(prefix.size()).section(u'/', 0, 0);
                if (!names.contains(name))
                    names << name;
            }
        }
    }
    names.sort();
    return names;
}

} // namespace velsnap
