#include "pacer.h"

#include "stopsignals.h"

#include <algorithm>

namespace {

// Bytes go out in chunks of what is due every tick, not one per call.
constexpr std::chrono::milliseconds kTick{10};

} // namespace

Pacer::Pacer(Line &line, const StopSignals &stop, int baud)
    : line_(line),
      stop_(stop),
      perByte_(baud > 0 ? 10.0 / baud : 0.0)
{}

LineStatus Pacer::send(std::span<const std::uint8_t> bytes)
{
    if (perByte_.count() == 0)
        return line_.write(bytes);
    // An idle line earns no credit for a later burst; a tick's worth is only
    // the slack between one call and the next.
    next_ = std::max(next_, Clock::now() - kTick);
    while (!bytes.empty()) {
        const std::chrono::duration<double> ahead = Clock::now() - next_;
        if (ahead.count() < 0) {
            if (!stop_.sleep(kTick))
                return LineStatus::Stopped;
            continue;
        }
        const auto due = std::min(bytes.size(), static_cast<std::size_t>(ahead / perByte_) + 1);
        if (const LineStatus s = line_.write(bytes.first(due)); s != LineStatus::Ok)
            return s;
        next_ += std::chrono::duration_cast<Clock::duration>(perByte_ * static_cast<double>(due));
        bytes = bytes.subspan(due);
    }
    return LineStatus::Ok;
}
