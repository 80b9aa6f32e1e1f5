#include "TaskPanelModel.h"

#include <algorithm>
#include <cstdlib>

namespace kit::taskpanel {

KitRect ApplyDefaultRect(const KitRect& rect, const KitRect& defaults)
{
    const auto side = [](int value, int fallback) { return value == kDefaultSide ? fallback : value; };
    return {side(rect.left, defaults.left), side(rect.top, defaults.top), side(rect.right, defaults.right),
            side(rect.bottom, defaults.bottom)};
}

bool Group::SetFirstVisibleItem(int index)
{
    const int perRow = itemsPerRow > 0 ? itemsPerRow : 1;
    index -= index % perRow;
    index = std::clamp(index, 0, std::max(items.GetCount() - 1, 0));
    if (index == firstVisibleItem)
        return false;
    firstVisibleItem = index;
    return true;
}

int StepToward(int current, int target, int steps)
{
    if (current == target)
        return current;
    const int distance = std::abs(target - current);
    const int step = std::max(1, distance / steps);
    return current < target ? current + std::min(step, distance) : current - std::min(step, distance);
}

void Group::Animate(int steps)
{
    if (steps < 1)
    {
        currentRect = targetRect;
        return;
    }
    currentRect.top = StepToward(currentRect.top, targetRect.top, steps);
    currentRect.bottom = StepToward(currentRect.bottom, targetRect.bottom, steps);
}

void PanelReferences::Forget(const PanelItem* item)
{
    if (!item)
        return;
    if (item->IsGroup())
    {
        // The group's items go with it.
        const auto* group = static_cast<const Group*>(item);
        for (int i = 0; i < group->items.GetCount(); ++i)
            Forget(group->items.GetAt(i));
        if (activeGroup == group)
            activeGroup = nullptr;
    }
    for (PanelItem** reference : {&hot, &focused, &pressed, &dragged, &dropMark, &renamed})
        if (*reference == item)
            *reference = nullptr;
    if (onForget)
        onForget(item);
}

uint32_t ResolveAllowDrag(uint32_t item, uint32_t group, uint32_t panel)
{
    for (const uint32_t flags : {item, group, panel})
        if (flags != kDragInherit)
            return flags;
    return kDragDefault;
}

ImageGrid MeasureImageGrid(const KitRect& cells, KitSize icon, const KitRect& pad)
{
    ImageGrid grid;
    grid.cellWidth = pad.left + pad.right + icon.cx;
    grid.cellHeight = pad.top + pad.bottom + icon.cy;
    grid.perRow = grid.cellWidth > 0 ? std::max(1, cells.Width() / grid.cellWidth) : 1;
    return grid;
}

KitRect ImageCell(const KitRect& cells, const ImageGrid& grid, int position)
{
    const int column = position % grid.perRow;
    const int row = position / grid.perRow;
    const int left = cells.left + column * grid.cellWidth;
    const int top = cells.top + row * grid.cellHeight;
    return {left, top, left + grid.cellWidth, top + grid.cellHeight};
}

int ImageGridBottom(const KitRect& cells, const ImageGrid& grid, int visibleCount)
{
    const int lastRow = visibleCount > 0 ? (visibleCount - 1) / grid.perRow : 0;
    return cells.top + (lastRow + 1) * grid.cellHeight;
}

void DistributeExtraHeight(const ItemList<GroupItem>& items, int extra)
{
    const auto weight = [](const GroupItem& item) { return item.itemSize.cy > 0 ? item.itemSize.cy : 1; };
    int count = 0;
    int64_t totalWeight = 0;  // weights come from stored sizes
    for (int i = 0; i < items.GetCount(); ++i)
        if (const GroupItem* item = items.GetAt(i); item->visible && item->autoHeight)
        {
            ++count;
            totalWeight += weight(*item);
        }
    if (count == 0)
        return;
    int shift = 0;
    for (int i = 0; i < items.GetCount(); ++i)
    {
        GroupItem* item = items.GetAt(i);
        item->itemRect.top += shift;
        item->itemRect.bottom += shift;
        if (!item->visible || !item->autoHeight)
            continue;
        const int w = weight(*item);
        const int share = count == 1 ? extra : static_cast<int>(static_cast<int64_t>(extra) * w / totalWeight);
        item->itemRect.bottom += share;
        --count;
        extra -= share;
        totalWeight -= w;
        shift += share;
    }
}

}  // namespace kit::taskpanel
