#pragma once

#include "serial/port_device.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QLockFile;
class QSocketNotifier;
struct termios;

namespace velsnap {

// How an open of the device failed, before the device itself is looked at.
enum class TtyOpenError {
    None,
    NoDevice,    // nothing at that path
    Locked,      // another program's lock file names the device
    AlreadyOpen, // open in this object
    System,      // the kernel refused: see the errno
};

// A serial device on the system's own calls: termios for the line's raw
// settings, a socket notifier for input, and the lock file that serial
// programs share. Input is read as it arrives into a buffer of our own.
// VMIN stays 1, so read() gives 0 only at a hang-up and never for "nothing
// yet": a lost line is told apart from a quiet one without relying on how a
// library reports it.
class TtyDevice : public PortDevice {
public:
    explicit TtyDevice(Events events);
    ~TtyDevice() override;
    TtyDevice(const TtyDevice &) = delete;
    TtyDevice &operator=(const TtyDevice &) = delete;

    bool open(const QString &device, const LineSettings &settings) override;
    OpenCause failureCause() const override { return m_failureCause; }
    QString systemError() const override { return m_systemError; }
    bool isOpen() const override { return m_fd >= 0; }
    void close() override;

    qint64 bytesAvailable() const override { return m_input.size(); }
    QByteArray peek(qint64 count) const override { return m_input.left(count); }
    QByteArray read(qint64 count) override;
    void discardInput() override { m_input.clear(); }
    void write(const QByteArray &bytes) override;

private:
    bool openPath(const QString &path, const LineSettings &settings);
    bool refuse(TtyOpenError error, int systemErrno);
    bool configure(const LineSettings &settings);
    bool readWaiting(); // what the kernel holds now; true when anything came
    void writePending();
    void hangUp();

    Events m_events;
    int m_fd = -1;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    std::unique_ptr<termios> m_foundSettings; // put back at the close
    QByteArray m_input;
    QByteArray m_unwritten;
    TtyOpenError m_openError = TtyOpenError::None;
    OpenCause m_failureCause = OpenCause::Unknown;
    QString m_systemError;
};

} // namespace velsnap
