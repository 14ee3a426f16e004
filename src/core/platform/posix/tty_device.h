#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
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

// A serial device on the system's own calls: termios for 57600 8N1 raw, a
// socket notifier for input, and the lock file that serial programs share.
// Input is read as it arrives into a buffer of our own, so what waits can be
// looked at without taking it. VMIN stays 1, so read() gives 0 only at a
// hang-up and never for "nothing yet": a lost line is told apart from a
// quiet one without relying on how a library reports it.
class TtyDevice {
public:
    // `arrived` runs after new input was read; `lost` once when the line went
    // away, after the device was closed.
    TtyDevice(std::function<void()> arrived, std::function<void()> lost);
    ~TtyDevice();
    TtyDevice(const TtyDevice &) = delete;
    TtyDevice &operator=(const TtyDevice &) = delete;

    bool open(const QString &path); // on false: openError(), systemError()
    TtyOpenError openError() const { return m_openError; }
    QString systemError() const { return m_systemError; }
    bool isOpen() const { return m_fd >= 0; }
    void close();

    // Reads what the kernel holds now; true when anything came.
    bool readWaiting();
    qint64 bytesAvailable() const { return m_input.size(); }
    QByteArray peek(qint64 count) const { return m_input.left(count); }
    QByteArray read(qint64 count);
    void discardInput() { m_input.clear(); }
    void write(const QByteArray &bytes);

private:
    bool refuse(TtyOpenError error, int systemErrno);
    bool configure();
    void writePending();
    void hangUp();

    std::function<void()> m_arrived;
    std::function<void()> m_lost;
    int m_fd = -1;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    std::unique_ptr<termios> m_foundSettings; // put back at the close
    QByteArray m_input;
    QByteArray m_unwritten;
    TtyOpenError m_openError = TtyOpenError::None;
    QString m_systemError;
};

} // namespace velsnap
