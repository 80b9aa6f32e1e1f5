#include "SamplePanelGroup.h"

#include <gtest/gtest.h>

using namespace kit::taskpanel;

void FillSample(Group& group)
{
    group.caption = u"File tasks";
    group.tooltip = u"What to do with the found files";
    group.id = 40;
    group.special = true;
    group.expanded = false;
    group.layout = 1;
    group.innerMargins = {1, kDefaultSide, 3, 4};
    group.iconSize = {32, 32};
    group.allowDrag = kDragCopyInPanel | kDragMoveInPanel;
    for (int i = 0; i < 3; ++i)
    {
        auto item = std::make_unique<GroupItem>();
        item->caption = u"Recover " + std::u16string(1, static_cast<char16_t>(u'A' + i));
        item->type = i == 2 ? kTypeText : kTypeLink;
        item->id = 100 + i;
        item->iconIndex = i;
        item->bold = i == 0;
        item->selected = i == 1;
        item->visible = i != 2;
        item->autoHeight = true;
        item->itemSize = {0, i + 1};
        item->margins = {kDefaultSide, 2, kDefaultSide, 2};
        item->iconPadding = {5, 5, 5, 5};
        item->dragText = u"C:\\found\\file" + std::u16string(1, static_cast<char16_t>(u'0' + i));
        group.items.InsertAt(i, std::move(item));
    }
}

void ExpectSameItem(const GroupItem& a, const GroupItem& b)
{
    EXPECT_EQ(a.caption, b.caption);
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.iconIndex, b.iconIndex);
    EXPECT_EQ(a.bold, b.bold);
    EXPECT_EQ(a.selected, b.selected);
    EXPECT_EQ(a.visible, b.visible);
    EXPECT_EQ(a.autoHeight, b.autoHeight);
    EXPECT_EQ(a.itemSize, b.itemSize);
    EXPECT_EQ(a.margins, b.margins);
    EXPECT_EQ(a.iconPadding, b.iconPadding);
    EXPECT_EQ(a.dragText, b.dragText);
}
