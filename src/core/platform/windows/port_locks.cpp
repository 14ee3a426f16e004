#include "platform/port_locks.h"

namespace velsnap {

QStringList lockFileCandidates(const QString &)
{
    return {};
}

} // namespace velsnap
