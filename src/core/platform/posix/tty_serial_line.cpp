#include "platform/posix/tty_serial_line.h"

#include "serial/port_doctor.h"

#include <QFileInfo>

namespace velsnap {

TtySerialLine::TtySerialLine(DeviceLookup deviceForPort)
    : m_deviceForPort(std::move(deviceForPort)),
      m_device([this] { m_settling.bytesArrived(); },
               [this] {
                   m_settling.end();
                   m_lineLost = true;
               }),
      m_settling({[this] { return m_device.bytesAvailable(); }, [this](qint64 count) { return m_device.peek(count); },
                  [this] { m_device.discardInput(); }})
{}

OpenResult TtySerialLine::openPort()
{
    const QString device = m_deviceForPort(m_commPort);
    if (m_device.isOpen())
        return refuse(OpenCause::OpenHere, device);
    if (device.isEmpty())
        return refuse(OpenCause::NoPortNumber, device);

    m_lineLost = false;
    m_openFailureReason.clear();
    // The lock file is named after the path: the real name makes two names
    // of one device (a by-id link, /dev/ttyUSB0) meet in one lock, which
    // also holds for root, whom the kernel's exclusive mode does not stop.
    const QString realName = QFileInfo(device).canonicalFilePath();
    if (!m_device.open(realName.isEmpty() ? device : realName))
        return refuse(classifyOpenFailure(m_device.openError(), probeDevice(device)), device, m_device.systemError());
    settleWaitingInput();
    return OpenResult::Opened;
}

void TtySerialLine::settleWaitingInput()
{
    // Bytes kept while the port was closed would be taken for the start of a
    // screen copy, so they go, and the settling lets the rest of a copy cut
    // by the open run out. A single byte is a device that sent the first
    // byte of its header and waits for the answer: it stays for the settling
    // to judge. Nothing is flushed, so a byte arriving now is never lost.
    if (!m_device.readWaiting()) {
        m_settling.end();
        return;
    }
    if (m_device.bytesAvailable() > 1)
        m_device.discardInput();
    m_settling.begin();
    m_settling.bytesArrived();
}

OpenResult TtySerialLine::refuse(OpenCause cause, const QString &device, const QString &systemError)
{
    m_openFailureReason = lineOpenFailureText(cause, m_commPort, device, systemError);
    // A device that vanished, or one busy with nobody to name, may be brltty's or ModemManager's doing.
    if (cause == OpenCause::Missing || cause == OpenCause::Held) {
        const QString hint = openFailureHint(cause == OpenCause::Missing, device, LiveSystemView());
        if (!hint.isEmpty())
            m_openFailureReason += hint;
    }
    return openResultFor(cause);
}

} // namespace velsnap
