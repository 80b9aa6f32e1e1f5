#include "TabRowLayout.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <utility>

namespace kit::tabs {

namespace {

constexpr std::array<ColorRef, kAutoTabColorCount> kAutoTabColors = {
    0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0, 0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8,
};

// Fills the rows from `row` on with the tabs from that row's first tab; the
// rows' (row, first tab) states that could not be filled are remembered so
// that a long strip does not retry them exponentially often.
class RowDistributor
{
public:
    RowDistributor(std::span<const int> lengths, int rowLength, bool balanceRows, MultiRowLayout& layout)
        : lengths_(lengths), rowLength_(rowLength), balanceRows_(balanceRows), layout_(layout)
    {
    }

    bool Distribute(int row, long long remaining)
    {
        const int rowCount = static_cast<int>(layout_.rows.size());
        TabRowRange& range = layout_.rows[row];
        if (failed_.count({row, range.first}) != 0)
            return false;
        long long target = rowLength_;
        if (balanceRows_)
            target = std::min<long long>(rowLength_, remaining / (rowCount - row));
        range.last = range.first - 1;
        long long rowLength = 0;
        const int tabCount = static_cast<int>(lengths_.size());
        for (int tab = range.first; tab < tabCount; ++tab)
        {
            const int length = lengths_[tab];
            if (length > 0 && rowLength + length > target && tab > range.first)
            {
                if (row == rowCount - 1)
                    return Fail(row, range.first);
                layout_.rows[row + 1].first = tab;
                if (Distribute(row + 1, remaining - rowLength))
                    return true;
                if (rowLength + length > rowLength_)
                    return Fail(row, range.first);
            }
            rowLength += length;
            range.last = tab;
            layout_.rowOfTab[tab] = row;
        }
        return true;
    }

private:
    bool Fail(int row, int first)
    {
        failed_.insert({row, first});
        return false;
    }

    std::span<const int> lengths_;
    int rowLength_;
    bool balanceRows_;
    MultiRowLayout& layout_;
    std::set<std::pair<int, int>> failed_;
};

int CountRows(std::span<const int> lengths, int rowLength)
{
    int rows = 1;
    long long inRow = 0;
    for (int length : lengths)
    {
        if (inRow > 0 && inRow + length > rowLength)
        {
            ++rows;
            inRow = length;
        }
        else
        {
            inRow += length;
        }
    }
    return rows;
}

void StretchRow(MultiRowLayout& layout, const TabRowRange& range, int rowLength)
{
    long long placed = 0;
    long long pending = 0;
    for (int tab = range.first; tab <= range.last; ++tab)
        pending += layout.lengths[tab];
    for (int tab = range.first; tab <= range.last; ++tab)
    {
        const int left = range.last - tab + 1;
        const long long extra = (rowLength - placed - pending) / left;
        pending -= layout.lengths[tab];
        layout.lengths[tab] += static_cast<int>(std::max<long long>(extra, 0));
        placed += layout.lengths[tab];
    }
}

}  // namespace

std::uint32_t AutoTabColorIndex(std::int64_t number)
{
    const std::int64_t wrapped = ((number % kAutoTabColorCount) + kAutoTabColorCount) % kAutoTabColorCount;
    return kAutoTabColorFirst + static_cast<std::uint32_t>(wrapped);
}

ColorRef ResolveTabColor(std::uint32_t colour)
{
    if (IsAutoTabColor(colour))
        return kAutoTabColors[colour - kAutoTabColorFirst];
    return colour;
}

int ClampTabLength(int length, int contentMargins, int minimum, int maximum)
{
    int result = length + contentMargins;
    if (minimum > 0)
        result = std::max(result, minimum);
    if (maximum > 0)
        result = std::min(result, maximum);
    return result;
}

void CompressTabLengths(std::span<int> lengths, int available)
{
    if (lengths.empty())
        return;
    available = std::max(available, 0);
    long long total = 0;
    for (int& length : lengths)
    {
        length = std::max(length, 0);
        total += length;
    }
    if (available >= total)
        return;
    const int count = static_cast<int>(lengths.size());
    if (count == 1)
    {
        lengths[0] = available;
        return;
    }
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return lengths[a] > lengths[b]; });

    long long excess = total - available;
    int longer = 0;  // the tabs at the front of `order`, all of one length
    while (true)
    {
        while (longer < count && lengths[order[longer]] == lengths[order[0]])
            ++longer;
        if (longer == count)
            break;
        const int current = lengths[order[0]];
        const int next = lengths[order[longer]];
        const long long gain = static_cast<long long>(current - next) * longer;
        if (gain < excess)
        {
            for (int i = 0; i < longer; ++i)
                lengths[order[i]] = next;
            excess -= gain;
            continue;
        }
        const int cut = static_cast<int>(excess / longer);
        for (int i = 0; i < longer; ++i)
            lengths[order[i]] -= cut;
        return;
    }
    for (int& length : lengths)
        length = available / count;
}

int ClampScrollOffset(int offset, int totalLength, int visibleLength)
{
    offset = std::min(offset, 0);
    if (offset < 0 && totalLength + offset < visibleLength)
        offset = std::min(visibleLength - totalLength, 0);
    return offset;
}

int ScrollOffsetToShow(int offset, int headerStart, int headerEnd, int leadingMargin, int tabStart, int tabEnd)
{
    if (headerEnd <= headerStart || tabEnd <= tabStart)
        return offset;
    if (tabStart < headerStart)
        offset += headerStart + leadingMargin - tabStart;
    else if (tabEnd > headerEnd)
        offset -= tabEnd - headerEnd;
    return std::min(offset, 0);
}

MultiRowLayout LayoutTabRows(std::span<const int> lengths, int rowLength, bool balanceRows, int selected,
                             bool keepRowOrder)
{
    MultiRowLayout layout;
    const int count = static_cast<int>(lengths.size());
    layout.lengths.assign(lengths.begin(), lengths.end());
    for (int& length : layout.lengths)
        length = std::max(length, 0);
    layout.rowOfTab.assign(count, 0);
    layout.rows.assign(1, TabRowRange{0, count - 1});
    if (count == 0)
        return layout;

    const int rowCount = CountRows(layout.lengths, rowLength);
    if (rowCount == 1)
        return layout;
    layout.rows.assign(rowCount, TabRowRange{count, count - 1});
    layout.rows[0].first = 0;
    const long long total = std::accumulate(layout.lengths.begin(), layout.lengths.end(), 0LL);
    RowDistributor(layout.lengths, rowLength, balanceRows, layout).Distribute(0, total);

    if (balanceRows)
    {
        for (const TabRowRange& range : layout.rows)
            StretchRow(layout, range, rowLength);
    }
    if (!keepRowOrder && selected >= 0 && selected < count)
    {
        const int selectedRow = layout.rowOfTab[selected];
        if (selectedRow != 0)
        {
            std::swap(layout.rows[0], layout.rows[selectedRow]);
            for (int& row : layout.rowOfTab)
            {
                if (row == 0)
                    row = selectedRow;
                else if (row == selectedRow)
                    row = 0;
            }
        }
    }
    return layout;
}

int RowStart(int position, const KitRect& rect, int outerMargin, int rowHeight, int rowSpacing, int row,
             int rowCount)
{
    const int pitch = rowHeight + rowSpacing;
    switch (position)
    {
    case kPositionTop:
        return rect.top + outerMargin + (rowCount - 1 - row) * pitch;
    case kPositionLeft:
        return rect.left + outerMargin + (rowCount - 1 - row) * pitch;
    case kPositionBottom:
        return rect.bottom - (rowCount - 1) * rowSpacing - rowCount * rowHeight - outerMargin + row * pitch;
    default:
        return rect.right - (rowCount - 1) * rowSpacing - rowCount * rowHeight - outerMargin + row * pitch;
    }
}

int FindNextNavigable(std::span<const TabNavState> tabs, int index, int step)
{
    const int count = static_cast<int>(tabs.size());
    if (step == 0)
        return -1;
    for (int i = index + step; i >= 0 && i < count; i += step)
    {
        if (tabs[i].shown && tabs[i].enabled)
            return i;
    }
    return -1;
}

TabKeyResult TabForKey(std::span<const TabNavState> tabs, int selected, TabKey key, bool horizontal,
                       bool rightToLeft)
{
    const int count = static_cast<int>(tabs.size());
    if (count == 0)
        return {};
    if (rightToLeft && key == TabKey::Left)
        key = TabKey::Right;
    else if (rightToLeft && key == TabKey::Right)
        key = TabKey::Left;
    const bool hasSelection = selected >= 0 && selected < count;
    switch (key)
    {
    case TabKey::Home:
        return {true, FindNextNavigable(tabs, -1, +1)};
    case TabKey::End:
        return {true, FindNextNavigable(tabs, count, -1)};
    case TabKey::Left:
    case TabKey::Up:
        if (horizontal != (key == TabKey::Left))
            return {true, -1};
        return {true, hasSelection && selected > 0 ? FindNextNavigable(tabs, selected, -1) : -1};
    case TabKey::Right:
    case TabKey::Down:
        if (horizontal != (key == TabKey::Right))
            return {true, -1};
        return {true, hasSelection && selected < count - 1 ? FindNextNavigable(tabs, selected, +1) : -1};
    default:
        return {};
    }
}

KitRect OrientMargins(const KitRect& m, int position)
{
    switch (position)
    {
    case kPositionLeft:
        return {m.top, m.left, m.bottom, m.right};
    case kPositionBottom:
        return {m.left, m.bottom, m.right, m.top};
    case kPositionRight:
        return {m.bottom, m.left, m.top, m.right};
    default:
        return m;
    }
}

KitRect OrientedDeflate(const KitRect& rect, const KitRect& margins, int position)
{
    const KitRect m = OrientMargins(margins, position);
    return {rect.left + m.left, rect.top + m.top, rect.right - m.right, rect.bottom - m.bottom};
}

KitRect OrientedInflate(const KitRect& rect, const KitRect& margins, int position)
{
    const KitRect m = OrientMargins(margins, position);
    return {rect.left - m.left, rect.top - m.top, rect.right + m.right, rect.bottom + m.bottom};
}

KitRect PlaceNavigateButton(KitRect& rect, bool horizontal)
{
    KitRect button;
    if (horizontal)
    {
        const int middle = (rect.top + rect.bottom) / 2;
        button = {rect.right - kNavigateButtonWidth, middle + 7 - kNavigateButtonHeight, rect.right, middle + 7};
        rect.right -= kNavigateButtonWidth;
    }
    else
    {
        const int middle = (rect.left + rect.right) / 2;
        button = {middle - 7, rect.bottom - kNavigateButtonHeight, middle - 7 + kNavigateButtonWidth, rect.bottom};
        rect.bottom -= kNavigateButtonHeight;
    }
    return button;
}

}  // namespace kit::tabs
