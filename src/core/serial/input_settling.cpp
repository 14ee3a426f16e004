#include "serial/input_settling.h"

#include "protocol/wire_protocol.h"

namespace velsnap {

namespace {
// Far above the 0.17 ms a byte takes at 57600 baud, and the scheduling
// hiccups of a busy machine; far below the time a person takes to start the
// next copy.
constexpr int kQuietBeforeFirstByteMs = 150;
} // namespace

InputSettling::InputSettling(Input input) : m_input(std::move(input))
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietBeforeFirstByteMs);
    // A device that keeps to the protocol sends one byte and waits for its
    // answer; more than that before the quiet is what was left of the cut copy.
    QObject::connect(&m_quiet, &QTimer::timeout, &m_quiet, [this] {
        if (m_input.available() > 1)
            m_input.discard();
    });
}

void InputSettling::bytesArrived()
{
    if (!active())
        return;
    m_quiet.start(); // quiet counts from the last byte
    if (m_input.available() < protocol::kHeaderBytes)
        return; // decided when the line falls quiet
    if (protocol::isScreenCopyHeader(m_input.peek(protocol::kHeaderBytes)))
        end();
    else
        m_input.discard();
}

} // namespace velsnap
