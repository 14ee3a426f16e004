#include "platform/open_failure_facts.h"

#include "platform/windows/device_manager.h"

namespace velsnap {

// Windows cannot tell who holds a port; for a COM port that is missing or
// will not work, the Device Manager says why and what there is instead.
OpenFailure openFailureFacts(OpenCause cause, const QString &device, const QString &systemError)
{
    OpenFailure failure{cause, device, {}, systemError};
    if (cause != OpenCause::Held && cause != OpenCause::OpenHere && device.startsWith(QStringLiteral("COM")))
        failure.deviceManager = deviceManagerPorts();
    return failure;
}

} // namespace velsnap
