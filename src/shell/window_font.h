#pragma once

#include <QFont>

namespace velsnap {

// The proportional Gothic the layout was drawn with, then IPAPGothic (same
// Japanese metrics, from fonts-ipafont-gothic), then any Japanese sans font.
// Sizes are set in pixels at the layout's 96 dots per inch, so captions keep
// fitting their fixed-size controls whatever the screen's own DPI setting.
QFont windowFont(double points, bool bold);

// The window's own font, for controls without one of their own. Not 9 pt:
// IPAPGothic's Latin letters are wider than the Gothic's, and at 12 pixels
// "/230400 Byte" overruns its label into "シリアルポート".
inline constexpr double kWindowFontPoints = 8.25;

} // namespace velsnap
