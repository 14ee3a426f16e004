#pragma once

#include <QPoint>
#include <QRect>
#include <cmath>

namespace velsnap {

// Positions are kept in twips, as the layout was drawn; the screen has 15 twips a pixel.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    QRect toPixels() const
    {
        return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
    }
};

} // namespace velsnap
