#include "platform/port_examination.h"

#include "platform/windows/device_manager.h"
#include "platform/windows/open_failure.h"
#include "platform/windows/wide_path.h"
#include "serial/open_failure_text.h"
#include "texts.h"

#include <QRegularExpression>
#include <windows.h>

namespace velsnap {

// Whether the port opens, and for a COMn what the Device Manager says of it:
// there is no ModemManager or brltty, and Windows cannot name who holds a port.
std::vector<PortFinding> examinePort(const QString &device)
{
    const QString path = portOpenPath(device);
    const HANDLE handle =
        CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<PortFinding> findings;
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        findings.push_back({false, texts::kDoctorUsable.arg(device)});
    } else {
        const DWORD error = GetLastError();
        const OpenCause cause = path == device ? openCauseOfPath(device, error) : openCauseOf(error);
        findings.push_back({true, openFailureSentence({cause, device, {}, qt_error_string(int(error))}, QString())});
    }
    static const QRegularExpression comName(QStringLiteral("^COM\\d+$"), QRegularExpression::CaseInsensitiveOption);
    if (comName.match(device).hasMatch()) {
        const std::vector<PortFinding> more = examineComPort(device, deviceManagerPorts());
        findings.insert(findings.end(), more.begin(), more.end());
    }
    return findings;
}

} // namespace velsnap
