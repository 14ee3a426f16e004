#pragma once

#include "serial/serial_line.h"

namespace velsnap {

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

// The message the user gets for a cause (Failed: no message).
OpenResult openResultFor(OpenCause cause);

} // namespace velsnap
