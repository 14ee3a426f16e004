#pragma once

#include <QByteArray>
#include <QString>

namespace velsnap {

// How an attempt to open the port ended, as the user is told about it.
enum class OpenResult {
    Opened,
    Unusable, // no such port, or not allowed to open it
    InUse,    // already open, here or in another program
    Failed,   // anything else: no message
};

// The operations of the serial port that a reception run relies on.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    virtual void setCommPort(int port) = 0;
    virtual bool portOpen() const = 0;
    virtual OpenResult openPort() = 0; // opens port `CommPort` with the stored line settings
    // After a failed open: the device and the cause, in words the user can act on; empty when nothing is known.
    virtual QString openFailureReason() const = 0;
    virtual void closePort() = 0;
    // Closes the port in the middle of a copy, which the device goes on
    // sending: the next open lets the rest of it run out first.
    virtual void closePortMidCopy() { closePort(); }
    virtual qint64 inBufferCount() const = 0;
    virtual void setInputLen(int length) = 0;
    virtual QByteArray input() = 0; // up to InputLen waiting bytes, never waits
    virtual void output(const QByteArray &bytes) = 0;
    // The line went away under an open port (cable pulled, adapter unplugged);
    // the port has been closed already. Cleared by the next open.
    virtual bool lineLost() const = 0;
};

} // namespace velsnap
