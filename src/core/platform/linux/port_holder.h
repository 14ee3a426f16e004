#pragma once

#include "platform/port_locks.h"
#include "serial/open_failure.h"

#include <QString>
#include <optional>

namespace velsnap {

// The lock file this program takes for `device` (a canonical path): where
// Qt's serial port takes it, so that both keep out of each other's way.
QString serialLockFile(const QString &device);

// Reads the lock file of `device` if there is one, else looks through the
// open files of the processes this user may see. Leaves out this process.
std::optional<PortHolder> findPortHolder(const QString &device);

} // namespace velsnap
