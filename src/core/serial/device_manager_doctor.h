#pragma once

#include "serial/port_doctor.h"

#include <QString>
#include <vector>

namespace velsnap {

// A device as Windows' Device Manager lists it.
struct PnpDevice {
    QString portName;     // "COM5"; empty when no driver gave it a port
    QString description;  // "USB-SERIAL CH340"
    QString hardwareId;   // "USB\VID_1A86&PID_7523&REV_0254"
    unsigned problem = 0; // the Device Manager's problem code; 0: working
    bool present = true;  // false: known to Windows, but not plugged in
};

// The Device Manager's problem codes the doctor explains.
enum PnpProblem : unsigned {
    kPnpFailedStart = 10,
    kPnpDisabled = 22,
    kPnpNoDriver = 28,
    kPnpNotPlugged = 45,
};

// What the Device Manager tells of COM port `portName`: the state of the
// device behind it with its cure; when it is of no use or not there, the
// ports that exist; then the serial adapters that have a problem of their
// own (a CH340 with no driver gets no COM port at all).
std::vector<PortFinding> examineComPort(const QString &portName, const std::vector<PnpDevice> &devices);

} // namespace velsnap
