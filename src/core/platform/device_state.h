#pragma once

#include <QString>

namespace velsnap {

// What a port's device is, as far as one can tell without opening it (an
// open would toggle its modem lines).
struct DeviceState {
    bool exists = false;
    bool serial = false; // a terminal device, or a COM port
    bool mayOpen = false;
    QString group; // Linux: the group that owns the device
};

DeviceState deviceState(const QString &device);

} // namespace velsnap
