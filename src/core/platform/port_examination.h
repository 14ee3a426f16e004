#pragma once

#include "serial/port_doctor.h"

namespace velsnap {

// Every check for `device` on this machine: that it exists, is a serial
// port and may be opened by this user, then what the system around it says
// (Linux: who holds it, brltty, ModemManager, the adapter; Windows: the
// Device Manager).
std::vector<PortFinding> examinePort(const QString &device);

} // namespace velsnap
