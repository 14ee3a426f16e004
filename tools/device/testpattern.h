#pragma once

class QImage;

namespace velsnap {

// A picture for when none is given: colour bars, colour ramps and a few
// shapes, with a white square whose place steps along with the copy number
// so successive copies differ.
QImage testPattern(int copy);

} // namespace velsnap
