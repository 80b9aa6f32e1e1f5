#include "GroupLayout.h"

#include <algorithm>

namespace kit::taskpanel {

namespace {

KitRect Deflate(const KitRect& rect, const KitRect& by)
{
    return {rect.left + by.left, rect.top + by.top, rect.right - by.right, rect.bottom - by.bottom};
}

// The bottom of the last item in rows of the group's cells.
int LayoutRows(Group& group, const KitRect& cells, LayoutMetrics& metrics)
{
    int y = cells.top;
    for (int i = 0; i < group.items.GetCount(); ++i)
    {
        GroupItem& item = *group.items.GetAt(i);
        if (!item.visible)
            continue;
        const KitRect placed = CalcItemRect(item, {cells.left, y, cells.right, cells.bottom}, false, metrics);
        y = placed.bottom + metrics.ItemOuterMargins(item).bottom;
    }
    return y;
}

int LayoutColumns(Group& group, const KitRect& cells, int columnWidth, LayoutMetrics& metrics)
{
    columnWidth = std::max(columnWidth, 1);
    const int columns = std::max(1, cells.Width() / columnWidth);
    group.itemsPerRow = columns;
    int y = cells.top;
    int column = 0;
    int rowHeight = 0;
    for (int i = 0; i < group.items.GetCount(); ++i)
    {
        GroupItem& item = *group.items.GetAt(i);
        if (!item.visible)
            continue;
        if (column == columns)
        {
            y += rowHeight;
            column = 0;
            rowHeight = 0;
        }
        const int left = cells.left + column * columnWidth;
        const KitRect placed = CalcItemRect(item, {left, y, left + columnWidth, cells.bottom}, false, metrics);
        rowHeight = std::max(rowHeight, placed.Height() + metrics.ItemOuterMargins(item).bottom);
        ++column;
    }
    return y + rowHeight;
}

}  // namespace

int GroupItemLayout(const Group& group, const PanelLayoutOptions& options)
{
    return group.layout != 0 ? group.layout : options.itemLayout;
}

KitSize GroupIconSize(const Group& group, const PanelLayoutOptions& options)
{
    return group.iconSize.cx != 0 || group.iconSize.cy != 0 ? group.iconSize : options.itemIconSize;
}

KitRect CalcItemRect(GroupItem& item, const KitRect& cell, bool imageLayout, LayoutMetrics& metrics)
{
    if (imageLayout)
    {
        item.itemRect = cell;
        return cell;
    }
    const KitRect bounds = Deflate(cell, metrics.ItemOuterMargins(item));
    if (item.itemSize.cx != 0 || item.itemSize.cy != 0 || item.type == kTypeControl)
        item.itemRect = {bounds.left, bounds.top, bounds.left + item.itemSize.cx, bounds.top + item.itemSize.cy};
    else
        item.itemRect = metrics.MeasureItem(item, bounds);
    return item.itemRect;
}

void LayoutGroupItems(Group& group, const KitRect& rect, LayoutMetrics& metrics, const PanelLayoutOptions& options)
{
    const KitRect area = Deflate(rect, metrics.GroupOuterMargins(group));
    const KitRect inner = metrics.GroupInnerMargins(group);
    const KitRect cells = Deflate(area, inner);
    group.itemsPerRow = 1;
    int bottom = 0;
    if (GroupItemLayout(group, options) == kImageLayout)
    {
        const ImageGrid grid = MeasureImageGrid(cells, GroupIconSize(group, options), metrics.ImageItemOffset());
        int position = 0;
        for (int i = 0; i < group.items.GetCount(); ++i)
            if (GroupItem& item = *group.items.GetAt(i); item.visible)
                CalcItemRect(item, ImageCell(cells, grid, position++), true, metrics);
        bottom = ImageGridBottom(cells, grid, position) + inner.bottom;
        group.itemsPerRow = grid.perRow;
        group.SetFirstVisibleItem(group.firstVisibleItem);
    }
    else if (options.columnMode)
    {
        bottom = LayoutColumns(group, cells, options.columnWidth, metrics) + inner.bottom;
    }
    else
    {
        bottom = LayoutRows(group, cells, metrics) + inner.bottom;
    }
    group.clientHeight = bottom - area.top;
    group.captionHeight = metrics.MeasureCaption(group);
}

int EffectiveFirstVisibleItem(const Group& group)
{
    const int stored = group.firstVisibleItem;
    if (stored <= 0 || stored >= group.items.GetCount())
        return 0;
    if (group.items.GetAt(stored)->visible)
        return stored;
    if (const int next = group.items.GetNextVisibleIndex(stored, 1); next >= 0)
        return next;
    return std::max(group.items.GetNextVisibleIndex(stored, -1), 0);
}

int GroupScrollOffset(const Group& group, int innerTop)
{
    const int first = EffectiveFirstVisibleItem(group);
    if (first == 0)
        return 0;
    return group.items.GetAt(first)->itemRect.top - innerTop;
}

bool CanScrollItems(const Group& group, bool up, int innerTop)
{
    const GroupItem* last = group.items.GetLastVisibleItem();
    if (!last)
        return false;
    if (up)
        return group.firstVisibleItem != 0;
    return group.targetRect.Height() - group.captionHeight < last->itemRect.bottom - GroupScrollOffset(group, innerTop);
}

bool ScrollItems(Group& group, int delta)
{
    const int next = group.items.GetNextVisibleIndex(EffectiveFirstVisibleItem(group), delta);
    return group.SetFirstVisibleItem(std::max(next, 0));
}

}  // namespace kit::taskpanel
