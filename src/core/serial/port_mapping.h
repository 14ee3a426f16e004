#pragma once

#include <QString>
#include <map>
#include <vector>

namespace velsnap {

// The ports a user can choose: COM 1 to COM 8.
inline constexpr int kPortCount = 8;

// A serial port that really exists on this machine.
struct FoundPort {
    QString systemPath;   // /dev/ttyUSB0, /dev/ttyS0
    QString byIdPath;     // /dev/serial/by-id/..., which survives replugging; empty when there is none
    bool onBoard = false; // a UART of the machine itself rather than an adapter
    QString description;
    QString manufacturer;
    QString serialNumber;

    // The path to store and open: the stable by-id name where there is one.
    QString preferredPath() const { return byIdPath.isEmpty() ? systemPath : byIdPath; }
};

// The stored "COMn" entries of group "Ports": port number → device path as written.
using PortMapping = std::map<int, QString>;

enum class PortSource {
    Mapped,   // a "COMn" entry names the device
    Found,    // a port found on this machine
    Fallback, // the system's name for COM n, though no such port was found
    None,     // a number outside 1 to 8 names no port
};

struct PortAssignment {
    QString device;
    PortSource source = PortSource::None;
};

// What COM n means: its "COMn" entry when it has one, else what the system
// calls COM n (systemPortFor). Numbers outside 1 to 8 mean nothing.
PortAssignment assignPort(int port, const PortMapping &mapping, const std::vector<FoundPort> &found);
QString deviceForPort(int port, const PortMapping &mapping, const std::vector<FoundPort> &found);

// The found ports in the order that numbers them on Linux: on-board UARTs
// first by number, then the others by their by-id name (those without one
// last, by name), so plug order does not matter.
std::vector<FoundPort> numberedPorts(std::vector<FoundPort> found);

} // namespace velsnap
