#pragma once

#include "serial/device_serial_line.h"

#include <memory>

namespace velsnap {

// The line to whatever the stored choices make a port number mean at each open.
std::unique_ptr<DeviceSerialLine> lineOfStoredChoices();

} // namespace velsnap
