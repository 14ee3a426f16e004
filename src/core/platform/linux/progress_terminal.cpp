#include "platform/progress_terminal.h"

#include <unistd.h>

namespace velsnap {

bool errorTerminalRedrawsLines()
{
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace velsnap
