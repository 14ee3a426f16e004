#pragma once

#include "line.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace velsnap {

// Hands bytes to the line no faster than a real line at the given baud
// rate would carry them (10 bits a byte); 0 means as fast as it takes them.
class Pacer {
public:
    Pacer(Line &line, const StopSignals &stop, int baud);

    LineStatus send(std::span<const std::uint8_t> bytes);

private:
    using Clock = std::chrono::steady_clock;

    Line &m_line;
    const StopSignals &m_stop;
    std::chrono::duration<double> m_perByte;
    // When the next byte could start on the wire.
    Clock::time_point m_next;
};

} // namespace velsnap
