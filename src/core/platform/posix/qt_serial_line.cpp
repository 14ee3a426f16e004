#include "platform/posix/qt_serial_line.h"

#include "serial/port_doctor.h"

#include <QFileInfo>

namespace velsnap {

QtSerialLine::QtSerialLine(DeviceLookup deviceForPort)
    : m_deviceForPort(std::move(deviceForPort)),
      m_settling({[this] { return m_port.bytesAvailable(); }, [this](qint64 count) { return m_port.peek(count); },
                  [this] { m_port.readAll(); }})
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
    QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { m_settling.bytesArrived(); });
}

OpenResult QtSerialLine::openPort()
{
    const QString device = m_deviceForPort(m_commPort);
    if (m_port.isOpen())
        return refuse(OpenCause::OpenHere, device);
    if (device.isEmpty())
        return refuse(OpenCause::NoPortNumber, device);

    m_lineLost = false;
    m_openFailureReason.clear();
    // Qt's lock file is named after the path: the real name makes two names
    // of one device (a by-id link, /dev/ttyUSB0) meet in one lock, which
    // also holds for root, whom the kernel's exclusive mode does not stop.
    const QString realName = QFileInfo(device).canonicalFilePath();
    m_port.setPortName(realName.isEmpty() ? device : realName);
    m_port.setBaudRate(QSerialPort::Baud57600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(0); // a whole block must fit before it is taken
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString systemError = m_port.errorString();
        return refuse(classifyOpenFailure(m_port.error(), probeDevice(device)), device, systemError);
    }
    // A pseudo-terminal has no DTR line; that is no reason to refuse it.
    m_port.setDataTerminalReady(true);
    discardStaleInput();
    m_port.clearError();
    return OpenResult::Opened;
}

void QtSerialLine::discardStaleInput()
{
    // Only what arrives from now on counts: bytes the driver kept while the
    // port was closed would be taken for the start of a screen copy.
    const bool stale = m_port.waitForReadyRead(0) && m_port.bytesAvailable() > 0;
    m_port.clear(QSerialPort::Input);
    if (stale)
        m_settling.begin();
    else
        m_settling.end();
}

OpenResult QtSerialLine::refuse(OpenCause cause, const QString &device, const QString &systemError)
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

void QtSerialLine::onError(QSerialPort::SerialPortError error)
{
    // After a hang-up QSerialPort repeats these errors in a tight loop until
    // the port is closed, so close at the first one.
    if ((error == QSerialPort::ReadError || error == QSerialPort::ResourceError) && m_port.isOpen()) {
        m_lineLost = true;
        m_port.close();
    }
}

} // namespace velsnap
