#include "GroupPlacement.h"

#include <algorithm>

namespace kit::taskpanel {

namespace {

bool IsOwnVisibleItem(const Group& group, const GroupItem& item)
{
    return item.visible && group.items.IndexOf(&item) >= 0;
}

}  // namespace

bool IsGroupExpanded(const Group& group, const PanelPlacement& panel)
{
    if (panel.behaviour == 0)
        return group.expanded;
    return &group == panel.activeGroup || (group.expanded && !group.expandable);
}

int AvailableClientHeight(const GroupList& groups, const PanelPlacement& panel, LayoutMetrics& metrics)
{
    int height = panel.clientHeight - panel.controlMargins.top - panel.controlMargins.bottom;
    int visibleGroups = 0;
    for (int i = 0; i < groups.GetCount(); ++i)
    {
        const Group& group = *groups.GetAt(i);
        if (!group.visible)
            continue;
        ++visibleGroups;
        const KitRect outer = metrics.GroupOuterMargins(group);
        height -= group.captionHeight + outer.top + outer.bottom;
        if (&group != panel.activeGroup && IsGroupExpanded(group, panel))
            height -= group.clientHeight;
    }
    return height - std::max(visibleGroups - 1, 0) * panel.groupSpacing;
}

KitRect CalcGroupRect(Group& group, const KitRect& rect, bool animate, const GroupList& groups,
                      const PanelPlacement& panel, LayoutMetrics& metrics)
{
    if (panel.behaviour == 0)
        group.SetFirstVisibleItem(0);
    const KitRect outer = metrics.GroupOuterMargins(group);
    group.targetRect = {rect.left + outer.left, rect.top + outer.top, rect.right - outer.right,
                        rect.bottom - outer.bottom};
    if (panel.behaviour != 0 && (&group == panel.activeGroup || group.expanding))
    {
        const KitRect inner = metrics.GroupInnerMargins(group);
        const KitSize icon = GroupIconSize(group, panel.layout);
        const int minimum = inner.top + std::max(32, icon.cy + inner.bottom) + 2;
        const int height = std::max(AvailableClientHeight(groups, panel, metrics), minimum);
        if (height > group.clientHeight && GroupItemLayout(group, panel.layout) != kImageLayout)
            DistributeExtraHeight(group.items, height - group.clientHeight);
        group.clientHeight = height;
        UpdateItemScroll(group, panel, inner.top);
    }
    group.targetRect.bottom =
        group.targetRect.top + group.captionHeight + (IsGroupExpanded(group, panel) ? group.clientHeight : 0);
    group.currentRect.left = group.targetRect.left;
    group.currentRect.right = group.targetRect.right;
    if (!animate || !panel.animate || !group.IsDirty())
        group.Animate(0);
    return group.targetRect;
}

bool IsItemInViewport(const Group& group, const GroupItem& item, bool byTop, const PanelPlacement& panel,
                      int innerTop)
{
    if (!IsGroupExpanded(group, panel) || !IsOwnVisibleItem(group, item))
        return false;
    if (panel.behaviour == 0)
        return true;
    if (group.items.IndexOf(&item) < group.firstVisibleItem)
        return false;
    const int edge = byTop ? item.itemRect.top : item.itemRect.bottom;
    return group.targetRect.Height() - group.captionHeight >= edge - GroupScrollOffset(group, innerTop);
}

void EnsureItemVisible(Group& group, const GroupItem& item, const PanelPlacement& panel, int innerTop)
{
    if (panel.behaviour == 0 || !IsGroupExpanded(group, panel) || group.items.GetCount() == 0 ||
        !IsOwnVisibleItem(group, item))
        return;
    const int index = group.items.IndexOf(&item);
    if (group.firstVisibleItem > index)
    {
        group.SetFirstVisibleItem(index);
        return;
    }
    const int offset = GroupScrollOffset(group, innerTop);
    if (item.itemRect.bottom - offset <= group.clientHeight || item.itemRect.top - offset <= innerTop)
        return;
    for (int i = group.firstVisibleItem + 1; i <= index; ++i)
    {
        const GroupItem& candidate = *group.items.GetAt(i);
        if (!candidate.visible)
            continue;
        if (innerTop + item.itemRect.bottom - candidate.itemRect.top <= group.clientHeight ||
            item.itemRect.top <= candidate.itemRect.top)
        {
            group.SetFirstVisibleItem(i);
            return;
        }
    }
}

void UpdateItemScroll(Group& group, const PanelPlacement& panel, int innerTop)
{
    const GroupItem* lastItem = group.items.GetLastVisibleItem();
    const int last = lastItem ? group.items.IndexOf(lastItem) : 0;
    int first = std::min(EffectiveFirstVisibleItem(group), last);
    while (first > 0 && lastItem)
    {
        const GroupItem& previous = *group.items.GetAt(first - 1);
        if (innerTop + lastItem->itemRect.bottom - previous.itemRect.top < group.clientHeight || !previous.visible)
            --first;
        else
            break;
    }
    group.SetFirstVisibleItem(first);
    for (int i = 0; i < group.items.GetCount(); ++i)
    {
        const GroupItem& item = *group.items.GetAt(i);
        if (&item == panel.focused || (item.selected && panel.selectFocusedLink))
        {
            EnsureItemVisible(group, item, panel, innerTop);
            return;
        }
    }
}

}  // namespace kit::taskpanel
