#pragma once

#include "platform/windows/thread_wake.h"
#include "serial/input_settling.h"
#include "serial/open_cause.h"
#include "serial/serial_line.h"

#include <functional>
#include <memory>

namespace velsnap {

// The serial line on the Win32 serial API: 57600 baud, 8N1, no flow control,
// binary, DTR asserted. A reader thread waits in ReadFile, which returns as
// soon as bytes are there, keeps them and wakes the event loop; the run takes
// them from there without waiting. `deviceForPort` says which port a number
// means ("COM3", or any path); it is asked at every open.
class Win32SerialLine : public SerialLine {
public:
    using DeviceLookup = std::function<QString(int port)>;
    explicit Win32SerialLine(DeviceLookup deviceForPort);
    ~Win32SerialLine() override;
    Win32SerialLine(const Win32SerialLine &) = delete;
    Win32SerialLine &operator=(const Win32SerialLine &) = delete;

    void setCommPort(int port) override { m_commPort = port; }
    bool portOpen() const override { return m_reader != nullptr; }
    OpenResult openPort() override;
    QString openFailureReason() const override { return m_openFailureReason; }
    void closePort() override;
    qint64 inBufferCount() const override;
    void setInputLen(int length) override { m_inputLen = length; }
    QByteArray input() override;
    void output(const QByteArray &bytes) override;
    bool lineLost() const override { return m_lineLost; }

    struct Reader;

private:
    OpenResult refuse(OpenCause cause, const QString &device, const QString &systemError = {});
    void onReaderNews();
    qint64 received() const;
    QByteArray take(qint64 count, bool remove);

    DeviceLookup m_deviceForPort;
    ThreadWake m_wake{[this] { onReaderNews(); }}; // the reader's news, on the thread that made the line
    std::unique_ptr<Reader> m_reader;
    InputSettling m_settling;
    int m_commPort = 1;
    int m_inputLen = 0;
    bool m_lineLost = false;
    QString m_openFailureReason;
};

} // namespace velsnap
