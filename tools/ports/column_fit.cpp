#include "column_fit.h"

#include <algorithm>

namespace velsnap {

std::vector<int> fittedWidths(const std::vector<int> &wanted, int room)
{
    std::vector<int> ascending = wanted;
    std::sort(ascending.begin(), ascending.end());
    int left = std::max(room, 0);
    int cap = ascending.empty() ? 0 : ascending.back();
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        const int share = left / int(ascending.size() - i);
        if (ascending[i] > share) {
            cap = share;
            break;
        }
        left -= ascending[i];
    }
    std::vector<int> widths;
    for (const int width : wanted)
        widths.push_back(std::min(width, cap));
    return widths;
}

} // namespace velsnap
