#pragma once

#include "serial/port_mapping.h"
#include "settings/settings_store.h"

namespace velsnap {

// The "COMn" entries of group "Ports".
PortMapping readPortMapping(const SettingsStore &store);
// Makes COM n mean `device` from now on, or (empty `device`) whatever is
// found. Empty when stored, else why the settings file cannot be written.
QString storePortChoice(SettingsStore &store, int port, const QString &device);

// The device COM n means right now: stored entries and this machine's ports,
// read afresh.
QString currentDeviceForPort(int port, const SettingsStore &store);

} // namespace velsnap
