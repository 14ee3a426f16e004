#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class StopSignals;

enum class LineStatus { Ok, HungUp, TimedOut, Stopped };

// The device end of the serial line: either the master of a fresh
// pseudo-terminal (the receiver opens its slave) or a real serial device.
class Line {
public:
    // Opens a pseudo-terminal.
    explicit Line(const StopSignals& stop);
    // Opens a serial device at 57600 8N1 without flow control.
    Line(const StopSignals& stop, const std::string& device);
    ~Line();
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // The path the receiver has to open.
    const std::string& path() const { return path_; }

    // On a pseudo-terminal, blocks until the receiver has the slave open;
    // a serial device cannot tell, so it returns at once.
    LineStatus waitForReceiver() const;
    LineStatus write(std::span<const std::uint8_t> bytes) const;
    // Fills all of bytes; no timeout waits as long as it takes.
    LineStatus read(std::span<std::uint8_t> bytes,
                    std::optional<std::chrono::milliseconds> timeout) const;
    // Gives the receiver up to limit to take what was sent: on a
    // pseudo-terminal until it closes the slave (closing the master earlier
    // would throw away what it has not read yet), on a device until the
    // output queue is empty.
    LineStatus drain(std::chrono::milliseconds limit) const;
    // Forgets bytes the receiver has not taken, so an abandoned copy does
    // not greet the next opener.
    void discardUnsent() const;

private:
    bool receiverAbsent() const;
    bool outputQueued() const;
    // Polls the line for events together with the stop signals.
    LineStatus await(short events, int timeoutMs) const;

    const StopSignals& stop_;
    int fd_ = -1;
    bool pty_ = false;
    std::string path_;
};
