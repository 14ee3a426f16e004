#pragma once

#include "serial/open_failure.h"

namespace velsnap {

// What the system tells now about `device`, which would not open for
// `cause`: its owner and group, who holds it, a program that meddles with
// serial ports, what the Device Manager says.
OpenFailure openFailureFacts(OpenCause cause, const QString &device, const QString &systemError);

} // namespace velsnap
