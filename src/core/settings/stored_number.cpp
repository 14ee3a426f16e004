#include "settings/stored_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace velsnap {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The characters of the leading number, blanks dropped.
std::string leadingNumber(const QString &text)
{
    std::string number;
    bool digits = false, point = false, exponent = false, exponentDigits = false;
    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        const char a = c.toLatin1();
        const bool signAllowed = number.empty() || (exponent && !exponentDigits && (number.back() == 'e'));
        if ((a == '+' || a == '-') && signAllowed) {
            number += a;
        } else if (a >= '0' && a <= '9') {
            number += a;
            (exponent ? exponentDigits : digits) = true;
        } else if (a == '.' && !point && !exponent) {
            number += a;
            point = true;
        } else if ((a == 'e' || a == 'E' || a == 'd' || a == 'D') && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return {};
    while (!number.empty() && (number.back() == 'e' || number.back() == '+' || number.back() == '-'))
        number.pop_back(); // a dangling exponent counts for nothing
    return number;
}

} // namespace

double storedNumberValue(const QString &text)
{
    std::string number = leadingNumber(text);
    if (number.empty())
        return 0;
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-')
        number.erase(0, 1);
    double value = 0;
    const auto [unused, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) // too small reads as 0, too large as infinite
        value = number.find("e-") != std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

std::int16_t nearestInt16(double value)
{
    const double rounded = std::nearbyint(value); // default mode: halves to even
    if (rounded <= std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (rounded >= std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

} // namespace velsnap
