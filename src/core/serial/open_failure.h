#pragma once

#include "serial/serial_line.h"

#include <QSerialPort>
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

// Why an open failed, as far as the user can do something about it.
enum class OpenCause {
    Unknown,
    NoPortNumber, // the number names no port at all
    Missing,
    NoHardware, // the device node is there, the UART behind it is not
    NotAllowed, // this user may not open it
    PlainFile,
    Folder,
    NotTerminal,
    OpenHere, // this very line has it open already
    Held,     // someone else has it: a lock file or the kernel's exclusive flag
};

// QSerialPort reports "not allowed", "locked by someone" and "busy" all as
// PermissionError, so the probe of the device decides: only the kernel's own
// refusal means the port cannot be used; a port the kernel would give us is
// held by someone's lock.
OpenCause classifyOpenFailure(QSerialPort::SerialPortError error, const DeviceProbe &probe);

// The message the user gets for a cause (Failed: no message).
OpenResult openResultFor(OpenCause cause);

} // namespace velsnap
