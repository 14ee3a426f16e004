#pragma once

#include "platform/posix/tty_serial_line.h"

namespace velsnap {
using SystemSerialLine = TtySerialLine;
} // namespace velsnap
