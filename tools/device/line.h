#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace velsnap {

class StopSignals;

enum class LineStatus { Ok, HungUp, TimedOut, Stopped };

// The device end of the serial line: either the master of a fresh
// pseudo-terminal (the receiver opens its slave) or a real serial device.
class Line {
public:
    // Opens a pseudo-terminal.
    explicit Line(const StopSignals &stop);
    // Opens a serial device at 57600 8N1 without flow control.
    Line(const StopSignals &stop, const std::string &device);
    ~Line();
    Line(const Line &) = delete;
    Line &operator=(const Line &) = delete;

    // The path the receiver has to open.
    const std::string &path() const { return m_path; }

    // On a pseudo-terminal, blocks until the receiver has had the slave open
    // for `afterOpen`, with `leftover` waiting for it in the line when it
    // opens; a serial device cannot tell, so it returns at once.
    LineStatus waitForReceiver(std::chrono::milliseconds afterOpen, std::span<const std::uint8_t> leftover);
    LineStatus write(std::span<const std::uint8_t> bytes);
    // Fills all of bytes; no timeout waits as long as it takes.
    LineStatus read(std::span<std::uint8_t> bytes, std::optional<std::chrono::milliseconds> timeout);
    // Gives the receiver up to limit to take what was sent: on a
    // pseudo-terminal until it has closed the slave since waitForReceiver()
    // (closing the master earlier throws away what it has not read), on a
    // device until the output queue is empty.
    LineStatus awaitReceiverClose(std::chrono::milliseconds limit);
    // Like awaitReceiverClose(), but on a pseudo-terminal until nobody has
    // had the slave open for a moment: a receiver that already reopened it
    // for the next copy would take closing the master for a pulled cable.
    LineStatus awaitNoReceiver(std::chrono::milliseconds limit);
    // Forgets bytes the receiver has not taken, so an abandoned copy does
    // not greet the next opener.
    void discardUnsent();

private:
    bool receiverAbsent() const;
    bool receiverLeft();
    bool outputQueued() const;
    // Opens the slave for a moment to throw away input nobody read.
    void clearSlaveInput() const;
    void takeSlaveEvents();
    // Waits until done() holds. The slave's open and close events wake it
    // on a pseudo-terminal; a device has none, so it looks in small steps.
    template <typename Done>
    LineStatus waitUntil(Done done, std::optional<std::chrono::steady_clock::time_point> deadline);
    // Waits until state() holds and has held for `settle` without the slave
    // being closed meanwhile.
    template <typename State>
    LineStatus awaitSteady(State state, std::optional<std::chrono::steady_clock::time_point> deadline,
                           std::chrono::milliseconds settle);
    // Polls the line for events together with the stop signals.
    LineStatus await(short events, int timeoutMs);

    const StopSignals &m_stop;
    int m_fd = -1;
    // inotify on the slave, to see the receiver open and close it; -1 for
    // a device.
    int m_slaveEvents = -1;
    unsigned m_slaveCloses = 0;
    unsigned m_slaveClosesWhenFound = 0;
    std::string m_path;
};

} // namespace velsnap
