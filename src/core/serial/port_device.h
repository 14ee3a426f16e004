#pragma once

#include "serial/line_settings.h"
#include "serial/open_cause.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace velsnap {

// A serial port as the system gives it: opened on a path with the line's
// settings, input kept in a buffer of its own as it arrives (so what waits
// can be looked at without taking it), writes that never block the caller.
class PortDevice {
public:
    struct Events {
        std::function<void()> arrived; // new input was read
        std::function<void()> lost;    // once, when the line went away; the device has closed itself
    };
    virtual ~PortDevice() = default;

    // Opens `device` and reads what was already waiting; on false see
    // failureCause() and systemError().
    virtual bool open(const QString &device, const LineSettings &settings) = 0;
    virtual OpenCause failureCause() const = 0;
    virtual QString systemError() const = 0; // the system's own words, empty when none
    virtual bool isOpen() const = 0;
    virtual void close() = 0;

    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray peek(qint64 count) const = 0;
    virtual QByteArray read(qint64 count) = 0;
    virtual void discardInput() = 0;
    virtual void write(const QByteArray &bytes) = 0;
};

// This system's port device.
std::unique_ptr<PortDevice> makePortDevice(PortDevice::Events events);

} // namespace velsnap
