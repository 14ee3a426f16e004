#include "strip_selection.h"

#include <algorithm>

namespace velsnap {

void StripSelection::click(int row, SelectClick kind)
{
    if (kind == SelectClick::Range && m_anchor >= 0) {
        // The anchor stays, so a second Shift+click reshapes the same range.
        m_rows.clear();
        for (int r = std::min(m_anchor, row); r <= std::max(m_anchor, row); ++r)
            m_rows.insert(r);
        return;
    }
    if (kind == SelectClick::Toggle && m_rows.erase(row) == 0)
        m_rows.insert(row);
    else if (kind != SelectClick::Toggle)
        m_rows = {row};
    m_anchor = row;
}

void StripSelection::clear()
{
    m_rows.clear();
    m_anchor = -1;
}

void StripSelection::remove(int row)
{
    m_rows.erase(row);
}

std::vector<int> StripSelection::menuTarget(int row) const
{
    return contains(row) ? rows() : std::vector<int>{row};
}

} // namespace velsnap
