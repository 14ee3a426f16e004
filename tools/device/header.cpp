#include "header.h"

#include <string_view>

namespace velsnap {

namespace {

// Each text is exactly 25 characters.
constexpr std::string_view kNormal = "HZAURUS SCREEN COPY V3.0 ";
constexpr std::string_view kMi500 = "HZAURUS MI500 SCREEN COPY";
// The marker in the wrong case, which the receiver must not accept.
constexpr std::string_view kBad = "hzaurus screen copy v3.0 ";
// The byte the MI500 appends to its header.
constexpr std::uint8_t kMi500Extra = 0x01;

static_assert(kNormal.size() == 25 && kMi500.size() == 25 && kBad.size() == 25);

} // namespace

std::vector<std::uint8_t> headerBytes(HeaderKind kind)
{
    const std::string_view text = kind == HeaderKind::Mi500 ? kMi500 : kind == HeaderKind::Bad ? kBad : kNormal;
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (kind == HeaderKind::Mi500)
        bytes.push_back(kMi500Extra);
    return bytes;
}

} // namespace velsnap
