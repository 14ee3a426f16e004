#pragma once

#include <QString>
#include <optional>

namespace velsnap {

// Who has a port, as far as a lock file or the kernel tells.
struct PortHolder {
    qint64 pid = 0;
    QString program;     // empty when it cannot be told
    QString lockFile;    // empty when the holder was found among the open files
    bool running = true; // false: the lock file outlived its program
};

// The lock files another program may have made for `device`, in the places
// serial programs put them.
QStringList lockFileCandidates(const QString &device);

// The lock file this program takes for `device` (a canonical path): where
// Qt's serial port takes it, so that both keep out of each other's way.
QString serialLockFile(const QString &device);

// Reads the lock file of `device` if there is one, else looks through the
// open files of the processes this user may see. Leaves out this process.
std::optional<PortHolder> findPortHolder(const QString &device);

} // namespace velsnap
