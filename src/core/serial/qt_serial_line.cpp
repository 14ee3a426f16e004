#include "serial/qt_serial_line.h"

#include "serial/open_failure.h"

namespace velsnap {

QtSerialLine::QtSerialLine(DeviceLookup deviceForPort) : m_deviceForPort(std::move(deviceForPort))
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

OpenResult QtSerialLine::openPort()
{
    if (m_port.isOpen())
        return OpenResult::InUse;
    const QString device = m_deviceForPort(m_commPort);
    if (device.isEmpty())
        return OpenResult::Unusable;

    m_lineLost = false;
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud57600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(0); // a whole block must fit before it is taken
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = m_port.error();
        return classifyOpenFailure(error, error == QSerialPort::PermissionError ? probeOpenErrno(device) : 0);
    }
    // A pseudo-terminal has no DTR line; that is no reason to refuse it.
    m_port.setDataTerminalReady(true);
    m_port.clearError();
    return OpenResult::Opened;
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
