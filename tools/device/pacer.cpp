#include "pacer.h"

#include "stopsignals.h"

#include <algorithm>

namespace velsnap {

namespace {

// Bytes go out in chunks of what is due every tick, not one per call.
constexpr std::chrono::milliseconds kTick{10};

} // namespace

Pacer::Pacer(Line &line, const StopSignals &stop, int baud)
    : m_line(line),
      m_stop(stop),
      m_perByte(baud > 0 ? 10.0 / baud : 0.0)
{}

LineStatus Pacer::send(std::span<const std::uint8_t> bytes)
{
    if (m_perByte.count() == 0)
        return m_line.write(bytes);
    // An idle line earns no credit for a later burst; a tick's worth is only
    // the slack between one call and the next.
    m_next = std::max(m_next, Clock::now() - kTick);
    while (!bytes.empty()) {
        const std::chrono::duration<double> ahead = Clock::now() - m_next;
        if (ahead.count() < 0) {
            if (!m_stop.sleep(kTick))
                return LineStatus::Stopped;
            continue;
        }
        const auto due = std::min(bytes.size(), static_cast<std::size_t>(ahead / m_perByte) + 1);
        if (const LineStatus s = m_line.write(bytes.first(due)); s != LineStatus::Ok)
            return s;
        m_next += std::chrono::duration_cast<Clock::duration>(m_perByte * static_cast<double>(due));
        bytes = bytes.subspan(due);
    }
    return LineStatus::Ok;
}

} // namespace velsnap
