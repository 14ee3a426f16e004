#include "serial/stable_links.h"

#include <QDir>
#include <QFileInfo>

namespace velsnap {

QHash<QString, QString> stableLinks(const QString &folder)
{
    QHash<QString, QString> links;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = entry.canonicalFilePath();
        // Two links to one device: keep the first by name, so the choice is stable.
        if (entry.isSymLink() && !target.isEmpty() && !links.contains(target))
            links.insert(target, entry.absoluteFilePath());
    }
    return links;
}

} // namespace velsnap
