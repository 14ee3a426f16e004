#pragma once

namespace velsnap {

// The line the handheld speaks. Binary, every byte value kept, no software
// or hardware flow control, DTR asserted while the port is open.
struct LineSettings {
    int baud = 57600;
    int dataBits = 8;
    int stopBits = 1; // and no parity
};

inline constexpr LineSettings kDeviceLine{};

} // namespace velsnap
