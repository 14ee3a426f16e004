#include "platform/port_examination.h"

#include "platform/linux/live_system_view.h"
#include "platform/linux/open_failure.h"
#include "platform/open_failure_facts.h"
#include "serial/open_failure_text.h"
#include "texts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace velsnap {

std::vector<PortFinding> examinePort(const QString &device)
{
    const DeviceProbe probe = probeDevice(device);
    const OpenCause cause = probe.kind == DeviceProbe::Terminal && probe.openErrno == 0
                                ? OpenCause::Unknown
                                : classifyOpenFailure(TtyOpenError::None, probe);
    std::vector<PortFinding> findings;
    const bool missing = cause == OpenCause::Missing;
    if (cause == OpenCause::Unknown)
        findings.push_back({false, texts::kDoctorUsable.arg(device)});
    else if (cause != OpenCause::Held) // the holder is named below
        findings.push_back({true, openFailureSentence(openFailureFacts(cause, device, QString()), QString())});
    const QString realDevice = missing ? QString() : QFileInfo(device).canonicalFilePath();
    const std::vector<PortFinding> more =
        examineSurroundings(realDevice, QCoreApplication::applicationPid(), LiveSystemView());
    findings.insert(findings.end(), more.begin(), more.end());
    return findings;
}

} // namespace velsnap
