#pragma once

#include "serial/open_cause.h"

#include <QString>

namespace velsnap {

// The cause behind a Win32 error code of CreateFile on a port. Windows
// answers "access denied" for a COM port that another program has open, so
// that code means held, not forbidden.
OpenCause openCauseOf(unsigned long windowsError);

// What lies at a port's path that is no device name (COMn): a plain file or a
// folder tells more than the error of opening it does.
OpenCause openCauseOfPath(const QString &device, unsigned long windowsError);

} // namespace velsnap
