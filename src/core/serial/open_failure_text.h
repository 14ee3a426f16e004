#pragma once

#include "serial/open_failure.h"

namespace velsnap {

// The second line of a port message: the device and the cause, in Japanese,
// with what the user can do about it. Looks at the device, its group, lock
// files and open files as they are now. `systemError` is said only when
// nothing better is known.
QString explainOpenFailure(OpenCause cause, int port, const QString &device, const QString &systemError);

} // namespace velsnap
