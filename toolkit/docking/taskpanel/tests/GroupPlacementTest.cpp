#include "core/GroupPlacement.h"

#include <gtest/gtest.h>

#include "FakeLayoutMetrics.h"

using namespace kit::taskpanel;
using kit::KitRect;

namespace {

using FakeMetrics = FakeLayoutMetrics;

constexpr int kInnerTop = 7;

Group* AddGroup(GroupList& groups, int clientHeight)
{
    auto group = std::make_unique<Group>();
    group->captionHeight = 25;
    group->clientHeight = clientHeight;
    return groups.InsertAt(groups.GetCount(), std::move(group));
}

// Six items of 20 pixels below the inner top margin.
void AddRows(Group& group)
{
    for (int i = 0; i < 6; ++i)
    {
        auto item = std::make_unique<GroupItem>();
        item->itemRect = {0, kInnerTop + i * 20, 100, kInnerTop + i * 20 + 20};
        group.items.InsertAt(i, std::move(item));
    }
}

PanelPlacement OneOpenGroup(const Group* active, int clientHeight)
{
    PanelPlacement panel;
    panel.behaviour = 1;
    panel.activeGroup = active;
    panel.clientHeight = clientHeight;
    panel.controlMargins = {0, 5, 0, 5};
    panel.groupSpacing = 10;
    return panel;
}

TEST(GroupPlacement, OpenGroupGetsWhatTheOthersLeave)
{
    FakeMetrics metrics;
    GroupList groups;
    Group* active = AddGroup(groups, 0);
    Group* fixedOpen = AddGroup(groups, 50);
    AddGroup(groups, 70)->visible = false;
    const PanelPlacement panel = OneOpenGroup(active, 400);
    fixedOpen->expandable = true;
    EXPECT_EQ(AvailableClientHeight(groups, panel, metrics), 400 - 10 - 2 * (25 + 8) - 10);
    // A group that cannot close stays open beside the active one.
    fixedOpen->expandable = false;
    EXPECT_TRUE(IsGroupExpanded(*fixedOpen, panel));
    EXPECT_EQ(AvailableClientHeight(groups, panel, metrics), 400 - 10 - 2 * (25 + 8) - 10 - 50);
}

TEST(GroupPlacement, ActiveGroupKeepsItsMinimumInAShortPanel)
{
    FakeMetrics metrics;
    GroupList groups;
    Group* active = AddGroup(groups, 0);
    const PanelPlacement panel = OneOpenGroup(active, 10);
    const KitRect target = CalcGroupRect(*active, {0, 100, 200, 100}, false, groups, panel, metrics);
    EXPECT_EQ(active->clientHeight, kInnerTop + std::max(32, 16 + 9) + 2);
    EXPECT_EQ(target, (KitRect{2, 103, 196, 103 + 25 + 41}));
    EXPECT_EQ(active->currentRect, target);
}

TEST(GroupPlacement, ExtraHeightGoesToAutoHeightItemsOfTheActiveGroup)
{
    FakeMetrics metrics;
    GroupList groups;
    Group* active = AddGroup(groups, 100);
    AddRows(*active);
    active->items.GetAt(5)->autoHeight = true;
    const PanelPlacement panel = OneOpenGroup(active, 200);
    CalcGroupRect(*active, {0, 0, 200, 0}, false, groups, panel, metrics);
    EXPECT_EQ(active->clientHeight, 200 - 10 - 33);
    EXPECT_EQ(active->items.GetAt(5)->itemRect.Height(), 20 + 157 - 100);
}

TEST(GroupPlacement, IndependentGroupCollapsesToItsCaptionAndAnimates)
{
    FakeMetrics metrics;
    GroupList groups;
    Group* group = AddGroup(groups, 80);
    PanelPlacement panel;
    group->currentRect = {0, 0, 50, 200};
    group->expanded = false;
    const KitRect target = CalcGroupRect(*group, {0, 40, 200, 40}, true, groups, panel, metrics);
    EXPECT_EQ(target, (KitRect{2, 43, 196, 43 + 25}));
    // Sideways at once, up and down over the animation steps.
    EXPECT_EQ(group->currentRect, (KitRect{2, 0, 196, 200}));
    group->Animate(1);
    EXPECT_EQ(group->currentRect, target);

    panel.animate = false;
    group->expanded = true;
    EXPECT_EQ(CalcGroupRect(*group, {0, 40, 200, 40}, true, groups, panel, metrics).Height(), 25 + 80);
    EXPECT_FALSE(group->IsDirty());
}

TEST(GroupPlacement, FocusedItemIsScrolledIntoView)
{
    GroupList groups;
    Group* group = AddGroup(groups, 50);
    AddRows(*group);
    group->targetRect = {0, 0, 100, 25 + 50};
    PanelPlacement panel = OneOpenGroup(group, 400);
    const GroupItem& last = *group->items.GetAt(5);
    EXPECT_FALSE(IsItemInViewport(*group, last, false, panel, kInnerTop));

    EnsureItemVisible(*group, last, panel, kInnerTop);
    EXPECT_EQ(group->firstVisibleItem, 4);
    EXPECT_TRUE(IsItemInViewport(*group, last, false, panel, kInnerTop));
    EXPECT_FALSE(IsItemInViewport(*group, *group->items.GetAt(3), true, panel, kInnerTop));

    EnsureItemVisible(*group, *group->items.GetAt(1), panel, kInnerTop);
    EXPECT_EQ(group->firstVisibleItem, 1);

    // Room for everything brings the first item back; a focused item stays in view.
    group->clientHeight = 200;
    UpdateItemScroll(*group, panel, kInnerTop);
    EXPECT_EQ(group->firstVisibleItem, 0);
    group->clientHeight = 50;
    panel.focused = &last;
    UpdateItemScroll(*group, panel, kInnerTop);
    EXPECT_EQ(group->firstVisibleItem, 4);

    // Items of other groups and hidden items are never in view.
    GroupItem stranger;
    EXPECT_FALSE(IsItemInViewport(*group, stranger, true, panel, kInnerTop));
    panel.behaviour = 0;
    EXPECT_TRUE(IsItemInViewport(*group, *group->items.GetAt(0), true, panel, kInnerTop));
}

}  // namespace
