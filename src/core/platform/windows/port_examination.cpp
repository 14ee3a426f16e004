#include "platform/open_failure_text.h"
#include "platform/windows/open_failure.h"
#include "platform/windows/wide_path.h"
#include "serial/port_doctor.h"
#include "texts.h"

#include <windows.h>

namespace velsnap {

// Windows tells little more than whether the port opens: there is no
// ModemManager or brltty, and it cannot name who holds a port.
std::vector<PortFinding> examinePort(const QString &device)
{
    const QString path = portOpenPath(device);
    const HANDLE handle =
        CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return {{false, texts::kDoctorUsable.arg(device)}};
    }
    const DWORD error = GetLastError();
    const OpenCause cause = path == device ? openCauseOfPath(device, error) : openCauseOf(error);
    return {{true, explainOpenFailure(cause, QString(), device, qt_error_string(int(error)))}};
}

} // namespace velsnap
