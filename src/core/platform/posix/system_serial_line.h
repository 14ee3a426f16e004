#pragma once

#include "platform/posix/qt_serial_line.h"

namespace velsnap {
using SystemSerialLine = QtSerialLine;
} // namespace velsnap
