#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

// Where the rows of the thumbnail strip stand, in twips within the sliding
// container. Kept in twips and converted for display, so rows never drift.
namespace velsnap::strip {

inline constexpr double kRowPitch = 2300;
inline constexpr double kLabelOffset = 1860;
inline constexpr int kTwipsPerScrollUnit = 1150; // half a row
// The bar's value and maximum are 16-bit.
inline constexpr int kLargestBarValue = std::numeric_limits<std::int16_t>::max();

inline constexpr double rowTop(int row)
{
    return kRowPitch * row;
}
inline constexpr double labelTop(double thumbnailTop)
{
    return thumbnailTop + kLabelOffset;
}
inline constexpr double containerHeight(int rows)
{
    return kRowPitch * rows;
}
inline constexpr int scrollMaximum(int lastRow)
{
    return 2 * lastRow;
}
// Formed in 32 bits, so no 16-bit value can overflow it.
inline constexpr double containerTop(int scrollValue)
{
    return -static_cast<double>(std::int32_t{kTwipsPerScrollUnit} * scrollValue);
}
// Whether the bar can still reach `lastRow`: its maximum 2 x row must fit.
inline constexpr bool scrollMaximumFits(int lastRow, int largestBarValue = kLargestBarValue)
{
    return scrollMaximum(lastRow) <= largestBarValue;
}

// The whole wheel notches (120 each, positive away from the user) in
// `angleDelta` and what `carried` kept of earlier turns; the rest stays in
// `carried`, so a touchpad's small steps add up.
inline constexpr int wheelNotches(int &carried, int angleDelta)
{
    carried += angleDelta;
    const int notches = carried / 120;
    carried -= notches * 120;
    return notches;
}

// The rows that may reach into the span from `fromTwips` to `toTwips` of the
// container, one to spare at each end for rounding: first and last index.
inline std::pair<int, int> rowsAcross(double fromTwips, double toTwips)
{
    const int first = static_cast<int>(std::floor(fromTwips / kRowPitch)) - 1;
    const int last = static_cast<int>(std::floor(toTwips / kRowPitch)) + 1;
    return {std::max(first, 0), last};
}

} // namespace velsnap::strip
