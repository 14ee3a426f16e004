#pragma once

#include <QStringList>

namespace velsnap {

// The lock files another program may have made for `device`, in the places
// serial programs put them. None on Windows, which locks a port by opening
// it.
QStringList lockFileCandidates(const QString &device);

} // namespace velsnap
