#pragma once

namespace velsnap {

// Whether standard error is a terminal that can redraw its last line
// ("\r", ESC [ K). A Windows console is asked to take such sequences first.
bool errorTerminalRedrawsLines();

} // namespace velsnap
