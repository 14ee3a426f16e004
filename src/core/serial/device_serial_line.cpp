#include "serial/device_serial_line.h"

#include "platform/open_failure_facts.h"
#include "serial/open_failure_text.h"

#include <utility>

namespace velsnap {

DeviceSerialLine::DeviceSerialLine(DeviceLookup deviceForPort, std::function<QString()> storedPortText)
    : m_deviceForPort(std::move(deviceForPort)),
      m_storedPortText(std::move(storedPortText)),
      m_settling({[this] { return m_device->bytesAvailable(); }, [this](qint64 count) { return m_device->peek(count); },
                  [this] { m_device->discardInput(); }}),
      m_device(makePortDevice({[this] { m_settling.bytesArrived(); },
                               [this] {
                                   m_settling.end();
                                   m_lineLost = true;
                               }}))
{}

OpenResult DeviceSerialLine::openPort()
{
    const QString device = m_deviceForPort(m_commPort);
    if (m_device->isOpen())
        return refuse(OpenCause::OpenHere, device);
    if (device.isEmpty())
        return refuse(OpenCause::NoPortNumber, device);

    m_lineLost = false;
    m_openFailureReason.clear();
    if (!m_device->open(device, kDeviceLine))
        return refuse(m_device->failureCause(), device, m_device->systemError());
    settleWaitingInput();
    return OpenResult::Opened;
}

void DeviceSerialLine::closePort()
{
    m_settling.end();
    m_device->close();
}

void DeviceSerialLine::closePortMidCopy()
{
    closePort();
    m_restOfCopyComing = true;
}

void DeviceSerialLine::settleWaitingInput()
{
    // Bytes kept while the port was closed would be taken for the start of a
    // screen copy, so they go, and the settling lets the rest of a copy cut
    // by the open run out. A single byte is a device that sent the first
    // byte of its header and waits for the answer: it stays for the settling
    // to judge. Nothing is flushed, so a byte arriving now is never lost.
    // After a close in the middle of a copy its rest is still on its way,
    // even when none of it has come yet.
    const bool restComing = std::exchange(m_restOfCopyComing, false);
    if (m_device->bytesAvailable() == 0 && !restComing) {
        m_settling.end();
        return;
    }
    if (m_device->bytesAvailable() > 1)
        m_device->discardInput();
    m_settling.begin();
    m_settling.bytesArrived();
}

OpenResult DeviceSerialLine::refuse(OpenCause cause, const QString &device, const QString &systemError)
{
    // Only a stored choice can name no port; it is said as it was written.
    const QString portText = cause == OpenCause::NoPortNumber ? m_storedPortText() : QString::number(m_commPort);
    m_openFailureReason = velsnap::openFailureReason(openFailureFacts(cause, device, systemError), portText);
    return openResultFor(cause);
}

} // namespace velsnap
