#pragma once

#include "serial/open_cause.h"

#include <QString>

namespace velsnap {

// The second line of a port message: the device and the cause, in Japanese,
// with what the user can do about it. Looks at the device as it is now (on
// Linux its group, lock files and open files). `systemError` is said only
// when nothing better is known. `portText` is the stored choice as written.
QString explainOpenFailure(OpenCause cause, const QString &portText, const QString &device, const QString &systemError);

} // namespace velsnap
