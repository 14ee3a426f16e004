#pragma once

#include "platform/windows/win32_serial_line.h"

namespace velsnap {
using SystemSerialLine = Win32SerialLine;
} // namespace velsnap
