#include "serial/open_failure_text.h"

#include "texts.h"

namespace velsnap {

namespace {

// A link is named together with the device it leads to.
QString deviceLabel(const OpenFailure &failure)
{
    return failure.linkTarget.isEmpty() ? failure.device
                                        : texts::kDeviceWithTarget.arg(failure.device, failure.linkTarget);
}

QString notAllowed(const OpenFailure &failure)
{
    const QString device = deviceLabel(failure);
    if (!failure.access)
        return texts::kOpenNotAllowed.arg(device);
    const DeviceAccess &access = *failure.access;
    if (access.groupMayOpen)
        return (access.joinedSinceLogin ? texts::kOpenNotAllowedUntilLogin : texts::kOpenNotAllowedGroup)
            .arg(device, access.group);
    return texts::kOpenNotAllowedMode.arg(device, access.owner, access.group, QString::number(access.mode, 8));
}

QString held(const OpenFailure &failure)
{
    const QString device = deviceLabel(failure);
    if (!failure.holder)
        return texts::kOpenHeld.arg(device);
    const PortHolder &holder = *failure.holder;
    const QString who = holder.program.isEmpty()
                            ? texts::kProcessNumber.arg(holder.pid)
                            : texts::kProgramWithProcessNumber.arg(holder.program, QString::number(holder.pid));
    if (!holder.running)
        return texts::kOpenStaleLock.arg(device, holder.lockFile, who);
    return texts::kOpenHeldBy.arg(device, who);
}

} // namespace

QString openFailureSentence(const OpenFailure &failure, const QString &portText)
{
    switch (failure.cause) {
    case OpenCause::NoPortNumber:
        return texts::kOpenNoPortNumber.arg(portText);
    case OpenCause::Missing:
        return texts::kOpenMissing.arg(failure.device) + texts::kOpenChooseAgain;
    case OpenCause::NoHardware:
        return texts::kOpenNoHardware.arg(deviceLabel(failure)) + texts::kOpenChooseAgain;
    case OpenCause::NotAllowed:
        return notAllowed(failure);
    case OpenCause::PlainFile:
        return texts::kOpenPlainFile.arg(failure.device) + texts::kOpenChooseAgain;
    case OpenCause::Folder:
        return texts::kOpenFolder.arg(failure.device) + texts::kOpenChooseAgain;
    case OpenCause::NotTerminal:
        return texts::kOpenNotTerminal.arg(deviceLabel(failure)) + texts::kOpenChooseAgain;
    case OpenCause::OpenHere:
        return texts::kOpenHere.arg(deviceLabel(failure));
    case OpenCause::Held:
        return held(failure);
    case OpenCause::Unknown:
        break;
    }
    return texts::kOpenFailed.arg(deviceLabel(failure), failure.systemError);
}

QString openFailureReason(const OpenFailure &failure, const QString &portText)
{
    QString reason = openFailureSentence(failure, portText);
    switch (failure.meddler) {
    case PortMeddler::Brltty:
        reason += texts::kDoctorHintBrltty.arg(failure.device);
        break;
    case PortMeddler::ModemManager:
        reason += texts::kDoctorHintModemManager.arg(failure.device);
        break;
    case PortMeddler::None:
        break;
    }
    if (failure.deviceManager) {
        for (const PortFinding &finding : examineComPort(failure.device, *failure.deviceManager))
            reason += u'\n' + finding.text;
    }
    return reason;
}

} // namespace velsnap
