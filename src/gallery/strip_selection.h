#pragma once

#include <set>
#include <vector>

namespace velsnap {

// How a thumbnail was clicked: alone, with Ctrl, with Shift.
enum class SelectClick { Plain, Toggle, Range };

// The thumbnails the user has picked out, by row: a plain click picks one
// alone, Ctrl+click adds or drops one, Shift+click picks the rows from the
// last one clicked.
class StripSelection {
public:
    void click(int row, SelectClick kind);
    void clear();
    void remove(int row);
    bool contains(int row) const { return m_rows.count(row) > 0; }
    bool empty() const { return m_rows.empty(); }
    // In the strip's order.
    std::vector<int> rows() const { return {m_rows.begin(), m_rows.end()}; }
    // What the right-click menu on `row` acts on: the selection when the row
    // is in it, otherwise the row alone.
    std::vector<int> menuTarget(int row) const;

private:
    std::set<int> m_rows;
    int m_anchor = -1; // the row last clicked; -1: none
};

} // namespace velsnap
