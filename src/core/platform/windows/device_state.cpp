#include "platform/device_state.h"

#include "platform/windows/wide_path.h"

#include <windows.h>

namespace velsnap {

DeviceState deviceState(const QString &device)
{
    DeviceState state;
    wchar_t target[1024] = {};
    if (QueryDosDeviceW(device.toStdWString().c_str(), target, 1023) != 0) {
        // A COM port the system knows; whether another program has it shows only at the open.
        state.exists = state.serial = state.mayOpen = true;
        return state;
    }
    state.exists = GetFileAttributesW(widePath(device).c_str()) != INVALID_FILE_ATTRIBUTES;
    return state;
}

} // namespace velsnap
