// The rows of one dock bar without a window: an entry list that opens with a
// row break and closes every row with one, where each bar stands at most
// once, and the arrangement of one row's bars along the dock bar's length.
// The dock bar window measures its toolbars and moves them; every rule of
// where they go is checked natively.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace kit::commandbars {

// A bar in a dock bar's rows; 0 is the row break.
using DockBarId = std::size_t;
constexpr DockBarId kRowBreak = 0;

class DockRows
{
public:
    DockRows() : m_entries{kRowBreak} {}

    const std::vector<DockBarId>& Entries() const { return m_entries; }
    // The first entry holding the bar other than the skipped one; -1 none.
    int Find(DockBarId bar, int skip = -1) const;
    // A new last row holding only the bar. A bar already docked here leaves
    // its old place, so it never stands twice.
    void Append(DockBarId bar);
    // Into the row whose far edge lies after `across` (the centre's
    // coordinate across the rows), or a row of its own before it when the
    // centre lies before the first row or exactly on a row's edge; past all
    // rows a new last row. `farEdges` holds the far edge of each row.
    void InsertAt(DockBarId bar, int across, const std::vector<int>& farEdges);
    // Removes the bar's entry (not the skipped one); no empty row remains.
    void Remove(DockBarId bar, int skip = -1);
    // Bars that sit alone in their row get row breaks around them.
    void NormalizeRows(const std::function<bool(DockBarId)>& sitsAlone);
    // The bars of each row in entry order.
    std::vector<std::vector<DockBarId>> Rows() const;

private:
    std::vector<DockBarId> m_entries;
};

// One bar of a row while the row is arranged: its extent along the dock
// bar, where it wants to sit and its minimum length when the row is short.
struct RowEntry
{
    DockBarId bar = kRowBreak;
    int left = 0;
    int right = 0;
    int rowIndex = 0;     // position in the row as given
    int minLength = 0;
    bool pushed = false;
};

// Arranges a row of the given length: sorted by where the bars want to sit
// (bars wanting the same place keep their row order, so they never swap on
// a relayout), overlaps pushed apart, then shrunk towards their minimum
// lengths from the far end. Returns -1, or the row index of the bar that
// does not fit (the row then holds more than one bar).
int ArrangeRow(std::vector<RowEntry>& entries, int length);

}  // namespace kit::commandbars
