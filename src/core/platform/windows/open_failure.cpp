#include "platform/windows/open_failure.h"

#include "platform/windows/wide_path.h"

#include <windows.h>

namespace velsnap {

namespace {
constexpr DWORD kElevationRequired = 740; // ERROR_ELEVATION_REQUIRED, missing from MinGW's headers
} // namespace

OpenCause openCauseOf(unsigned long windowsError)
{
    switch (windowsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
        return OpenCause::Missing;
    case ERROR_NOT_READY:
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
        return OpenCause::NoHardware;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return OpenCause::Held;
    case ERROR_PRIVILEGE_NOT_HELD:
    case kElevationRequired:
        return OpenCause::NotAllowed;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
        return OpenCause::NotTerminal;
    default:
        return OpenCause::Unknown;
    }
}

OpenCause openCauseOfPath(const QString &device, unsigned long windowsError)
{
    const DWORD attributes = GetFileAttributesW(widePath(device).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return openCauseOf(windowsError);
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? OpenCause::Folder : OpenCause::PlainFile;
}

} // namespace velsnap
