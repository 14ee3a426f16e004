#pragma once

#include "serial/serial_line.h"

#include <QSerialPort>
#include <QString>

namespace velsnap {

// QSerialPort reports "not allowed", "locked by someone" and "busy" all as
// PermissionError. For that error the device is opened once more directly
// (probeErrno: 0 when that succeeds, else errno): only the kernel's own
// refusal means the port cannot be used; a port the kernel would give us is
// held by someone's lock.
OpenResult classifyOpenFailure(QSerialPort::SerialPortError error, int probeErrno);

// errno of a plain non-blocking open of `device`, 0 when it opens.
int probeOpenErrno(const QString &device);

} // namespace velsnap
