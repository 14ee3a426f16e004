#pragma once

#include <QHash>
#include <QString>

namespace velsnap {

// The links in `folder` (normally /dev/serial/by-id): device they point to → link path.
QHash<QString, QString> stableLinks(const QString &folder);

} // namespace velsnap
