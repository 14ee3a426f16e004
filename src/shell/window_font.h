#pragma once

#include <QFont>

namespace velsnap {

// The proportional Gothic the layout was drawn with, then its metric twin
// from fonts-ipafont-gothic, then any Japanese sans font. Sizes are set in
// pixels at the layout's 96 dots per inch, so captions keep fitting their
// fixed-size controls whatever the screen's own DPI setting.
QFont windowFont(int points, bool bold);

inline constexpr int kWindowFontPoints = 9;

} // namespace velsnap
