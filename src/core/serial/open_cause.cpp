#include "serial/open_cause.h"

#include "platform/open_failure_text.h"
#include "settings/stored_port.h"

namespace velsnap {

OpenResult openResultFor(OpenCause cause)
{
    switch (cause) {
    case OpenCause::NoPortNumber:
    case OpenCause::Missing:
    case OpenCause::NoHardware:
    case OpenCause::NotAllowed:
    case OpenCause::PlainFile:
    case OpenCause::Folder:
    case OpenCause::NotTerminal:
        return OpenResult::Unusable;
    case OpenCause::OpenHere:
    case OpenCause::Held:
        return OpenResult::InUse;
    case OpenCause::Unknown:
        break;
    }
    return OpenResult::Failed;
}

QString lineOpenFailureText(OpenCause cause, int commPort, const QString &device, const QString &systemError)
{
    // Only a stored choice can name no port; it is said as it was written.
    const QString portText =
        cause == OpenCause::NoPortNumber ? storedPortText(SettingsStore()) : QString::number(commPort);
    return explainOpenFailure(cause, portText, device, systemError);
}

} // namespace velsnap
