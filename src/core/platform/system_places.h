#pragma once

#include <QSettings>
#include <QString>

namespace velsnap {

// Whether this user may make files in `folder` right now.
bool folderWritable(const QString &folder);

// How the per-user settings are kept: a text file on Linux, the registry on Windows.
QSettings::Format settingsFormat();

} // namespace velsnap
