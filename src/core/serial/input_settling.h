#pragma once

#include <QByteArray>
#include <QTimer>
#include <functional>

namespace velsnap {

// After an open that found input already waiting, a copy may have been under
// way as the port opened; the rest of it would be taken for a header ("not a
// screen copy"). So until the line falls quiet, or a header of its own
// begins, what is there and what comes is let run out unread; a single byte
// left when the line falls quiet is a device waiting for its answer, and
// stays. The line's input is reached through the three operations given.
class InputSettling {
public:
    struct Input {
        std::function<qint64()> available;
        std::function<QByteArray(qint64 count)> peek;
        std::function<void()> discard;
    };
    explicit InputSettling(Input input);

    void begin() { m_quiet.start(); } // stale input was found at the open
    void end() { m_quiet.stop(); }
    bool active() const { return m_quiet.isActive(); }
    void bytesArrived(); // the line has more input

private:
    Input m_input;
    QTimer m_quiet;
};

} // namespace velsnap
