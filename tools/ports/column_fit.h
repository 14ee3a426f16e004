#pragma once

#include <vector>

namespace velsnap {

// Column widths for a table `room` pixels wide whose columns want `wanted`:
// as wanted when they fit; otherwise the narrow columns keep theirs and the
// wide ones share the rest equally, so that every column stays in view.
std::vector<int> fittedWidths(const std::vector<int> &wanted, int room);

} // namespace velsnap
