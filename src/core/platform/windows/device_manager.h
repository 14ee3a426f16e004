#pragma once

#include "serial/device_manager_doctor.h"

namespace velsnap {

// The serial ports and USB devices the Device Manager lists, with their state.
std::vector<PnpDevice> deviceManagerPorts();

} // namespace velsnap
