#include "core/GroupLayout.h"

#include <gtest/gtest.h>

#include "FakeLayoutMetrics.h"

using namespace kit::taskpanel;
using kit::KitRect;

namespace {

using FakeMetrics = FakeLayoutMetrics;

GroupItem* AddItem(Group& group, bool visible = true, KitSize size = {})
{
    auto item = std::make_unique<GroupItem>();
    item->visible = visible;
    item->itemSize = size;
    return group.items.InsertAt(group.items.GetCount(), std::move(item));
}

constexpr KitRect kPanelWidth{0, 0, 200, 0};

TEST(GroupLayout, RowsStackVisibleItemsBelowEachOther)
{
    FakeMetrics metrics;
    Group group;
    GroupItem* text = AddItem(group);
    AddItem(group, false);
    GroupItem* sized = AddItem(group, true, {50, 30});
    LayoutGroupItems(group, kPanelWidth, metrics, {});
    // cells start at (2 + 6, 3 + 7); each item sits inside its outer margins.
    EXPECT_EQ(text->itemRect, (KitRect{9, 11, 187, 29}));
    EXPECT_EQ(sized->itemRect, (KitRect{9, 32, 59, 62}));
    EXPECT_EQ(group.clientHeight, 62 + 2 + 9 - 3);
    EXPECT_EQ(group.captionHeight, 25);
    EXPECT_EQ(group.itemsPerRow, 1);
}

TEST(GroupLayout, ImageGridKeepsOneRowWhenEmptyAndRealignsTheFirstItem)
{
    FakeMetrics metrics;
    Group group;
    group.layout = kImageLayout;
    LayoutGroupItems(group, kPanelWidth, metrics, {});
    EXPECT_EQ(group.clientHeight, 7 + 28 + 9);

    for (int i = 0; i < 8; ++i)
        AddItem(group);
    group.firstVisibleItem = 7;
    LayoutGroupItems(group, kPanelWidth, metrics, {});
    EXPECT_EQ(group.itemsPerRow, 6);  // 180 / 28
    EXPECT_EQ(group.firstVisibleItem, 6);
    EXPECT_EQ(group.items.GetAt(7)->itemRect, (KitRect{8 + 28, 10 + 28, 8 + 56, 10 + 56}));
    EXPECT_EQ(group.clientHeight, 7 + 2 * 28 + 9);

    // The panel's icon size counts unless the group has its own.
    PanelLayoutOptions options;
    options.itemIconSize = {32, 32};
    EXPECT_EQ(GroupIconSize(group, options), (KitSize{32, 32}));
    group.iconSize = {0, 24};
    EXPECT_EQ(GroupIconSize(group, options), (KitSize{0, 24}));
}

TEST(GroupLayout, ColumnModeFillsRowsOfFixedWidthCells)
{
    FakeMetrics metrics;
    Group group;
    for (int i = 0; i < 4; ++i)
        AddItem(group);
    PanelLayoutOptions options;
    options.columnMode = true;
    options.columnWidth = 60;
    LayoutGroupItems(group, kPanelWidth, metrics, options);
    EXPECT_EQ(group.itemsPerRow, 3);
    EXPECT_EQ(group.items.GetAt(2)->itemRect, (KitRect{129, 11, 187, 29}));
    EXPECT_EQ(group.items.GetAt(3)->itemRect, (KitRect{9, 31, 67, 49}));
    EXPECT_EQ(group.clientHeight, 10 + 2 * 20 + 9 - 3);
}

TEST(GroupLayout, ScrollingSkipsHiddenItemsAndStopsAtTheEnds)
{
    const int innerTop = 7;
    Group group;
    for (int i = 0; i < 6; ++i)
        AddItem(group)->itemRect = {0, innerTop + i * 20, 100, innerTop + i * 20 + 20};
    group.captionHeight = 25;
    group.targetRect = {0, 0, 100, 25 + 50};
    EXPECT_FALSE(CanScrollItems(group, true, innerTop));
    EXPECT_TRUE(CanScrollItems(group, false, innerTop));

    group.items.GetAt(2)->visible = false;
    group.firstVisibleItem = 1;
    EXPECT_TRUE(ScrollItems(group, 1));  // index 2 is hidden: the next visible one
    EXPECT_EQ(group.firstVisibleItem, 3);
    EXPECT_EQ(GroupScrollOffset(group, innerTop), 60);
    EXPECT_TRUE(CanScrollItems(group, true, innerTop));
    EXPECT_TRUE(CanScrollItems(group, false, innerTop));  // 50 < 127 - 60
    group.targetRect.bottom = 25 + 67;
    EXPECT_FALSE(CanScrollItems(group, false, innerTop));

    group.firstVisibleItem = 2;
    EXPECT_EQ(EffectiveFirstVisibleItem(group), 3);
    group.firstVisibleItem = 40;
    EXPECT_EQ(EffectiveFirstVisibleItem(group), 0);

    group.firstVisibleItem = 3;
    EXPECT_TRUE(ScrollItems(group, -9));  // beyond the start clamps to the first item
    EXPECT_EQ(group.firstVisibleItem, 0);

    Group empty;
    EXPECT_FALSE(CanScrollItems(empty, false, innerTop));
}

}  // namespace
