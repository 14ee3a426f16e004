#pragma once

#include <QSettings>
#include <QString>

namespace velsnap {

// Whether this user may make files in `folder` right now.
bool folderWritable(const QString &folder);

// The per-user store of application "Velmora", opened afresh: a text file on
// Linux, the registry key HKEY_CURRENT_USER\Software\Velmora on Windows.
QSettings openSettingsStore();

} // namespace velsnap
