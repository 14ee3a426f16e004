#pragma once

#include "platform/posix/open_failure.h"
#include "serial/input_settling.h"
#include "serial/serial_line.h"

#include <QSerialPort>
#include <functional>

namespace velsnap {

// The serial line on a real QSerialPort: 57600 baud, 8N1, no flow control,
// binary, DTR asserted. `deviceForPort` says which device a port number
// means; it is asked at every open.
class QtSerialLine : public SerialLine {
public:
    using DeviceLookup = std::function<QString(int port)>;
    explicit QtSerialLine(DeviceLookup deviceForPort);

    void setCommPort(int port) override { m_commPort = port; }
    bool portOpen() const override { return m_port.isOpen(); }
    OpenResult openPort() override;
    QString openFailureReason() const override { return m_openFailureReason; }
    void closePort() override
    {
        m_settling.end();
        m_port.close();
    }
    // Nothing counts while a copy cut by the open is still running out.
    qint64 inBufferCount() const override { return m_settling.active() ? 0 : m_port.bytesAvailable(); }
    void setInputLen(int length) override { m_inputLen = length; }
    QByteArray input() override { return m_port.read(m_inputLen); }
    void output(const QByteArray &bytes) override { m_port.write(bytes); }
    bool lineLost() const override { return m_lineLost; }

private:
    void onError(QSerialPort::SerialPortError error);
    void discardStaleInput();
    OpenResult refuse(OpenCause cause, const QString &device, const QString &systemError = {});

    DeviceLookup m_deviceForPort;
    QSerialPort m_port;
    InputSettling m_settling;
    int m_commPort = 1;
    int m_inputLen = 0;
    bool m_lineLost = false;
    QString m_openFailureReason;
};

} // namespace velsnap
