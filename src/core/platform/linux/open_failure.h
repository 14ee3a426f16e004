#pragma once

#include "platform/linux/tty_device.h"
#include "serial/open_cause.h"

#include <QString>

namespace velsnap {

// What the path of a port turned out to be when it was looked at directly.
struct DeviceProbe {
    enum Kind {
        Missing, // nothing there (or a link to nothing)
        PlainFile,
        Folder,
        NotTerminal, // a device or other node that is no terminal (/dev/null, a pipe)
        Terminal,    // a terminal, or a character device we may not open to tell
    };
    Kind kind = Missing;
    int openErrno = 0; // of a plain non-blocking open; 0 when it opened
};

// Looks at `device` without setting up the line. Opens it only when it is
// no plain file or folder, and closes it again at once.
DeviceProbe probeDevice(const QString &device);

// The probe of the device decides first: only the kernel's own refusal means
// the port cannot be used; a port the kernel would give us is held by
// someone's lock.
OpenCause classifyOpenFailure(TtyOpenError error, const DeviceProbe &probe);

} // namespace velsnap
