#pragma once

#include "serial/open_failure.h"

namespace velsnap {

// The second line of a port message: the device and the cause, in Japanese,
// with what the user can do about it. Looks at the device, its group, lock
// files and open files as they are now. `systemError` is said only when
// nothing better is known. `portText` is the stored choice as written.
QString explainOpenFailure(OpenCause cause, const QString &portText, const QString &device, const QString &systemError);

} // namespace velsnap
