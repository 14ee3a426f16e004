#pragma once

#include "serial/device_serial_line.h"
#include "serial/port_mapping.h"
#include "settings/settings_store.h"

#include <memory>

namespace velsnap {

// The "COMn" entries of group "Ports".
PortMapping readPortMapping(const SettingsStore &store);
// Makes COM n mean `device` from now on, or (empty `device`) whatever is
// found. Empty when stored, else why the settings file cannot be written.
QString storePortChoice(SettingsStore &store, int port, const QString &device);

// The device COM n means right now: stored entries and this machine's ports,
// read afresh.
QString currentDeviceForPort(int port, const SettingsStore &store);

// The line to whatever the stored choices make a port number mean at each open.
std::unique_ptr<DeviceSerialLine> lineOfStoredChoices();

} // namespace velsnap
