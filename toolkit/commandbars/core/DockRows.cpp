#include "core/DockRows.h"

#include <algorithm>

namespace kit::commandbars {

int DockRows::Find(DockBarId bar, int skip) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i] == bar && static_cast<int>(i) != skip)
            return static_cast<int>(i);
    return -1;
}

void DockRows::Append(DockBarId bar)
{
    m_entries.push_back(bar);
    m_entries.push_back(kRowBreak);
    Remove(bar, static_cast<int>(m_entries.size()) - 2);
}

void DockRows::InsertAt(DockBarId bar, int across, const std::vector<int>& farEdges)
{
    // The bar's old entry goes after the new one is in, so that the row
    // edges the caller measured still describe the rows.
    std::size_t row = 0;
    std::size_t rowOpen = 0;  // the row break that opens the current row
    int previousEdge = 0;
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        if (m_entries[i] != kRowBreak)
            continue;
        const int farEdge = row < farEdges.size() ? farEdges[row] : previousEdge;
        if (across < farEdge) {
            const auto at = m_entries.begin() + static_cast<std::ptrdiff_t>(rowOpen) + 1;
            if (across <= previousEdge)
                m_entries.insert(at, {bar, kRowBreak});
            else
                m_entries.insert(at, bar);
            Remove(bar, static_cast<int>(rowOpen) + 1);
            return;
        }
        previousEdge = farEdge;
        rowOpen = i;
        ++row;
    }
    Append(bar);
}

void DockRows::Remove(DockBarId bar, int skip)
{
    const int index = Find(bar, skip);
    if (index < 0)
        return;
    m_entries.erase(m_entries.begin() + index);
    const std::size_t at = static_cast<std::size_t>(index);
    if (at < m_entries.size() && at > 0 && m_entries[at] == kRowBreak && m_entries[at - 1] == kRowBreak)
        m_entries.erase(m_entries.begin() + index);
}

void DockRows::NormalizeRows(const std::function<bool(DockBarId)>& sitsAlone)
{
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        if (m_entries[i] == kRowBreak || !sitsAlone(m_entries[i]))
            continue;
        if (m_entries[i - 1] != kRowBreak) {
            m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(i), kRowBreak);
            ++i;
        }
        if (i + 1 < m_entries.size() && m_entries[i + 1] != kRowBreak)
            m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(i) + 1, kRowBreak);
    }
}

std::vector<std::vector<DockBarId>> DockRows::Rows() const
{
    std::vector<std::vector<DockBarId>> rows;
    std::vector<DockBarId> row;
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        if (m_entries[i] != kRowBreak) {
            row.push_back(m_entries[i]);
            continue;
        }
        if (!row.empty())
            rows.push_back(row);
        row.clear();
    }
    return rows;
}

int ArrangeRow(std::vector<RowEntry>& entries, int length)
{
    if (entries.empty())
        return -1;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RowEntry& a, const RowEntry& b) { return a.left < b.left; });
    std::vector<int> originalLeft;
    for (RowEntry& entry : entries) {
        entry.pushed = false;
        originalLeft.push_back(entry.left);
    }
    auto moveTo = [](RowEntry& entry, int left) {
        entry.right += left - entry.left;
        entry.left = left;
    };
    // Forward: an entry overlapping a predecessor that sat earlier in the
    // row, or was pushed itself, makes room.
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const RowEntry& previous = entries[i - 1];
        if (entries[i].left < previous.right && (previous.rowIndex < entries[i].rowIndex || previous.pushed)) {
            moveTo(entries[i], previous.right);
            entries[i].pushed = true;
        }
    }
    // Backward: nothing passes the row's end.
    int limit = length;
    for (std::size_t i = entries.size(); i-- > 0;) {
        RowEntry& entry = entries[i];
        const bool last = i + 1 == entries.size();
        if (entry.right > limit &&
            (last || entries[i + 1].rowIndex < entry.rowIndex || entries[i + 1].pushed)) {
            moveTo(entry, limit - (entry.right - entry.left));
            entry.pushed = true;
        }
        limit = entry.left;
    }
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i].left < entries[i - 1].right)
            moveTo(entries[i], entries[i - 1].right);
    // A row still too long, or pushed off its start, shrinks.
    if (entries.back().right <= length && entries.front().left >= 0)
        return -1;

    // Shrink from the far end towards the minimum lengths.
    std::vector<int> minimaBefore(entries.size(), 0);
    for (std::size_t i = 1; i < entries.size(); ++i)
        minimaBefore[i] = minimaBefore[i - 1] + entries[i - 1].minLength;
    int end = length;
    for (std::size_t i = entries.size(); i-- > 0;) {
        RowEntry& entry = entries[i];
        int left = std::min(entry.left, originalLeft[i]);
        left = std::max(left, entry.left + (end - entry.right));
        left = std::max(left, minimaBefore[i]);
        left = std::min(left, end - entry.minLength);
        if ((end - left < entry.minLength || left < minimaBefore[i]) && entries.size() > 1)
            return entries.back().rowIndex;
        entry.left = std::max(left, 0);
        entry.right = end;
        end = entry.left;
    }
    return -1;
}

}  // namespace kit::commandbars
