#pragma once

#include "platform/posix/open_failure.h"
#include "platform/posix/tty_device.h"
#include "serial/input_settling.h"
#include "serial/serial_line.h"

#include <functional>

namespace velsnap {

// The serial line on a terminal device: 57600 baud, 8N1, no flow control,
// binary, DTR asserted. `deviceForPort` says which device a port number
// means; it is asked at every open.
class TtySerialLine : public SerialLine {
public:
    using DeviceLookup = std::function<QString(int port)>;
    explicit TtySerialLine(DeviceLookup deviceForPort);

    void setCommPort(int port) override { m_commPort = port; }
    bool portOpen() const override { return m_device.isOpen(); }
    OpenResult openPort() override;
    QString openFailureReason() const override { return m_openFailureReason; }
    void closePort() override
    {
        m_settling.end();
        m_device.close();
    }
    // Nothing counts while a copy cut by the open is still running out.
    qint64 inBufferCount() const override { return m_settling.active() ? 0 : m_device.bytesAvailable(); }
    void setInputLen(int length) override { m_inputLen = length; }
    QByteArray input() override { return m_device.read(m_inputLen); }
    void output(const QByteArray &bytes) override { m_device.write(bytes); }
    bool lineLost() const override { return m_lineLost; }

private:
    void settleWaitingInput();
    OpenResult refuse(OpenCause cause, const QString &device, const QString &systemError = {});

    DeviceLookup m_deviceForPort;
    TtyDevice m_device;
    InputSettling m_settling;
    int m_commPort = 1;
    int m_inputLen = 0;
    bool m_lineLost = false;
    QString m_openFailureReason;
};

} // namespace velsnap
