#pragma once

#include "serial/input_settling.h"
#include "serial/port_device.h"
#include "serial/serial_line.h"

#include <functional>
#include <memory>

namespace velsnap {

// The serial line on this system's port device. `deviceForPort` says which
// device a port number means and is asked at every open; `storedPortText`
// gives the stored choice as written, for a number that names no port.
class DeviceSerialLine : public SerialLine {
public:
    using DeviceLookup = std::function<QString(int port)>;
    DeviceSerialLine(DeviceLookup deviceForPort, std::function<QString()> storedPortText);

    void setCommPort(int port) override { m_commPort = port; }
    bool portOpen() const override { return m_device->isOpen(); }
    OpenResult openPort() override;
    QString openFailureReason() const override { return m_openFailureReason; }
    void closePort() override;
    void closePortMidCopy() override;
    // Nothing counts while a copy cut by the open is still running out.
    qint64 inBufferCount() const override { return m_settling.active() ? 0 : m_device->bytesAvailable(); }
    void setInputLen(int length) override { m_inputLen = length; }
    QByteArray input() override { return m_device->read(m_inputLen); }
    void output(const QByteArray &bytes) override { m_device->write(bytes); }
    bool lineLost() const override { return m_lineLost; }

private:
    void settleWaitingInput();
    OpenResult refuse(OpenCause cause, const QString &device, const QString &systemError = {});

    DeviceLookup m_deviceForPort;
    std::function<QString()> m_storedPortText;
    InputSettling m_settling;
    std::unique_ptr<PortDevice> m_device;
    int m_commPort = 1;
    int m_inputLen = 0;
    bool m_lineLost = false;
    bool m_restOfCopyComing = false; // closed mid-copy: settle at the next open
    QString m_openFailureReason;
};

} // namespace velsnap
