#include "platform/console_text.h"

#include <io.h>
#include <windows.h>

namespace velsnap {

void writeText(std::FILE *stream, const QString &text)
{
    const HANDLE handle = HANDLE(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream); // what the stream still holds goes first
        DWORD written = 0;
        WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()), &written, nullptr);
        return;
    }
    // The system's code page would turn what it lacks into "?".
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace velsnap
