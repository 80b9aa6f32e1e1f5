#include "core/TabStripLayout.h"

#include <gtest/gtest.h>

using namespace kit;
using namespace kit::tabs;

namespace {

SingleRowLayout Strip(int position, int layout, KitRect rect, std::vector<int> lengths, int offset = 0)
{
    SingleRowLayout strip;
    strip.position = position;
    strip.layout = layout;
    strip.rect = rect;
    strip.header = rect;
    strip.margins = {2, 2, 2, 0};
    strip.rowHeight = 20;
    strip.scrollOffset = offset;
    strip.lengths = std::move(lengths);
    strip.buttons[kButtonClose].showMode = kShowNever;
    return strip;
}

TEST(TabStripLayout, TabsThatFitNeedNoButtons)
{
    SingleRowLayout strip = Strip(kPositionTop, kLayoutSizeToFit, {0, 0, 300, 24}, {60, 60, 60});
    LayoutSingleRow(strip);
    EXPECT_EQ(strip.tabRects, (std::vector<KitRect>{{2, 2, 62, 22}, {62, 2, 122, 22}, {122, 2, 182, 22}}));
    EXPECT_TRUE(strip.buttons[kButtonLeft].rect.IsEmpty());
    EXPECT_TRUE(strip.buttons[kButtonRight].rect.IsEmpty());
    EXPECT_EQ(strip.visibleHeader.right, 299);
}

TEST(TabStripLayout, TooManyTabsShowScrollButtonsAtTheEnd)
{
    SingleRowLayout strip = Strip(kPositionTop, kLayoutSizeToFit, {0, 0, 300, 24}, {60, 60, 60, 60, 60, 60});
    LayoutSingleRow(strip);
    EXPECT_EQ(strip.buttons[kButtonRight].rect, (KitRect{285, 4, 299, 19}));
    EXPECT_EQ(strip.buttons[kButtonLeft].rect, (KitRect{271, 4, 285, 19}));
    EXPECT_TRUE(strip.buttons[kButtonRight].enabled);
    EXPECT_FALSE(strip.buttons[kButtonLeft].enabled);
    EXPECT_EQ(strip.visibleHeader.right, 271) << "tabs under the buttons can be neither hit nor drawn";
}

TEST(TabStripLayout, ScrolledStripLeavesNoRoomAtItsEnd)
{
    SingleRowLayout strip = Strip(kPositionTop, kLayoutSizeToFit, {0, 0, 300, 24}, {60, 60, 60, 60, 60, 60}, -100);
    LayoutSingleRow(strip);
    EXPECT_EQ(strip.scrollOffset, 267 - 360);
    EXPECT_EQ(strip.tabRects.front().left, 2 - 93);
    EXPECT_TRUE(strip.buttons[kButtonLeft].enabled);
}

TEST(TabStripLayout, ShortenedLayoutCompressesAndHidesScrollButtons)
{
    SingleRowLayout strip = Strip(kPositionTop, kLayoutCompressed, {0, 0, 300, 24}, {60, 60, 60, 60, 60, 60});
    LayoutSingleRow(strip);
    EXPECT_EQ(strip.lengths, std::vector<int>(6, 49));
    EXPECT_TRUE(strip.buttons[kButtonRight].rect.IsEmpty());
    EXPECT_EQ(strip.tabRects.back(), (KitRect{2 + 5 * 49, 2, 2 + 6 * 49, 22}));
}

TEST(TabStripLayout, EachPositionPlacesTheRowAtItsEdge)
{
    struct
    {
        int position;
        KitRect rect;
        KitRect first;
    } const cases[] = {
        {kPositionTop, {0, 0, 300, 24}, {2, 2, 62, 22}},
        {kPositionBottom, {0, 0, 300, 24}, {2, 2, 62, 22}},
        {kPositionLeft, {0, 0, 24, 300}, {2, 2, 22, 62}},
        {kPositionRight, {0, 0, 30, 300}, {8, 2, 28, 62}},
    };
    for (const auto& c : cases)
    {
        SingleRowLayout strip = Strip(c.position, kLayoutSizeToFit, c.rect, {60, 60});
        LayoutSingleRow(strip);
        EXPECT_EQ(strip.tabRects.front(), c.first) << "position " << c.position;
    }
}

TEST(TabStripLayout, RotatedTabsStandOnTheClientSide)
{
    SingleRowLayout strip = Strip(kPositionTop, kLayoutRotated, {0, 0, 300, 80}, {40, 50, 60});
    LayoutSingleRow(strip);
    EXPECT_EQ(strip.tabRects, (std::vector<KitRect>{{2, 40, 22, 80}, {22, 30, 42, 80}, {42, 20, 62, 80}}));
}

TEST(TabStripLayout, HiddenTabsTakeNoRoomAndHaveNoRectangle)
{
    SingleRowLayout strip = Strip(kPositionTop, kLayoutSizeToFit, {0, 0, 300, 24}, {60, 0, 60});
    LayoutSingleRow(strip);
    EXPECT_TRUE(strip.tabRects[1].IsEmpty());
    EXPECT_EQ(strip.tabRects[2].left, 62);
}

}  // namespace
