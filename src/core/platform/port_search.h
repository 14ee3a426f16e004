#pragma once

#include "serial/port_mapping.h"

namespace velsnap {

// The serial ports this machine has now, with what the system tells of the
// adapter behind each. Linux: as Qt lists them (which leaves out /dev/ttyS
// entries with no UART behind them), each with its by-id name. Windows: the
// COM ports of the registry's serial device map.
std::vector<FoundPort> findSerialPorts();

// What COM n means when no "COMn" entry names a device. Linux: the n-th of
// the found ports in numberedPorts() order, else /dev/ttyS(n-1). Windows: the
// port the system calls COMn, found or not.
PortAssignment systemPortFor(int port, const std::vector<FoundPort> &found);

} // namespace velsnap
