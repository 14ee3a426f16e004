#pragma once

#include "platform/port_locks.h"
#include "serial/open_failure.h"

#include <QString>
#include <optional>

namespace velsnap {

// The lock file this program takes for `device` (a canonical path): where
// Qt's serial port takes it, so that both keep out of each other's way.
QString serialLockFile(const QString &device);

// Who holds the lock file at `path`; none when it names no process. Lock
// files hold the process number first: as text on a line of its own (Qt,
// minicom) or padded to ten characters; Qt adds the program's name.
std::optional<PortHolder> lockFileHolder(const QString &path);

// Reads the lock file of `device` if there is one, else looks through the
// open files of the processes this user may see. Leaves out this process.
std::optional<PortHolder> findPortHolder(const QString &device);

} // namespace velsnap
