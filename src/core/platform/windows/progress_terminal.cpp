#include "platform/progress_terminal.h"

#include <windows.h>

namespace velsnap {

bool errorTerminalRedrawsLines()
{
    // A console takes control sequences only in this mode (Windows 10 and
    // later); a file or a pipe has no console mode at all.
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode))
        return false;
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ||
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

} // namespace velsnap
