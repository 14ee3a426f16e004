#pragma once

#include <QString>
#include <cstdint>

namespace velsnap {

// A stored text read as a number: its leading numeric part (sign, digits,
// decimal point, exponent) counts, blanks anywhere are ignored, and a text
// without a number reads as 0.
double storedNumberValue(const QString &text);

// The nearest 16-bit signed integer (halves to even), clamped to the range,
// so no stored text can make a number that does not fit.
std::int16_t nearestInt16(double value);

inline std::int16_t readStoredInt16(const QString &text)
{
    return nearestInt16(storedNumberValue(text));
}

} // namespace velsnap
