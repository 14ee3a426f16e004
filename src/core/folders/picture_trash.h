#pragma once

#include <QString>

namespace velsnap {

// Moves the file at `path` to the desktop's trash (the Recycle Bin on
// Windows), from where the user can bring it back; empty when it went,
// otherwise why not, in the system's words.
QString moveToTrash(const QString &path);

} // namespace velsnap
