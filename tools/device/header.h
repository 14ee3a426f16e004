#pragma once

#include <cstdint>
#include <vector>

namespace velsnap {

enum class HeaderKind { Normal, Mi500, Bad };

// What the device sends before the pixels: 25 bytes, and for the MI500 one
// more byte after them.
std::vector<std::uint8_t> headerBytes(HeaderKind kind);

} // namespace velsnap
