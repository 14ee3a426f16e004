#pragma once

#include <cstdint>
#include <span>

namespace velsnap {

class Line;
class StopSignals;
struct Options;

enum class CopyEnd {
    Complete, // all pixel data sent
    Cut,      // pixel data cut short on purpose (--stop-after, --hangup-after)
    GivenUp,  // the receiver left, or did not acknowledge as it should
    Stopped,  // a stop signal came
};

// Sends one screen copy: first header byte, acknowledgement, rest of the
// header, pixel data.
CopyEnd sendCopy(Line &line, const StopSignals &stop, const Options &options, int copy,
                 std::span<const std::uint8_t> pixels);

} // namespace velsnap
