#include "core/ControlLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace kit::commandbars;

namespace {

// Controls from a compact picture: one entry per control, its width; a
// negative width begins a group. All controls are 22 high.
std::vector<ControlLayoutItem> Controls(const std::vector<int>& widths)
{
    std::vector<ControlLayoutItem> items;
    for (int width : widths) {
        ControlLayoutItem item;
        item.cx = width < 0 ? -width : width;
        item.cy = 22;
        item.beginGroup = width < 0;
        items.push_back(item);
    }
    return items;
}

// The row picture: '|' before every row break, 'x' for a hidden control,
// '.' for a placed one.
std::string Rows(const std::vector<ControlLayoutItem>& items)
{
    std::string picture;
    for (const ControlLayoutItem& item : items) {
        if (item.rowBreak)
            picture += '|';
        picture += item.hidden ? 'x' : '.';
    }
    return picture;
}

constexpr LayoutSize kSeparator{6, 6};

BarLayoutRequest Request(int length, unsigned mode, LayoutMargins margins = {})
{
    BarLayoutRequest request;
    request.length = length;
    request.mode = mode;
    request.margins = margins;
    request.separator = kSeparator;
    return request;
}

}  // namespace

struct WrapCase
{
    const char* name;
    std::vector<int> widths;
    int length;
    unsigned mode;
    const char* rows;
    int rowCount;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }

class WrapTable : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapTable, BreaksRowsWhereExpected)
{
    const WrapCase& c = GetParam();
    std::vector<ControlLayoutItem> items = Controls(c.widths);
    unsigned mode = c.mode;
    EXPECT_EQ(WrapItems(items, c.length, mode), c.rowCount);
    EXPECT_EQ(Rows(items), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, WrapTable,
    testing::Values(
        WrapCase{"AllFit", {23, 23, 23, 23, 23}, 200, kLayoutHorzDock, ".....", 1},
        WrapCase{"ExactFit", {23, 23, 23}, 69, kLayoutHorzDock, "...", 1},
        WrapCase{"OverflowBreaksAtTheControl", {23, 23, 23, 23, 23}, 76, kLayoutHorzDock, "...|..", 2},
        WrapCase{"BreaksAtTheLastGroupStart", {23, 23, -23, 23}, 80, kLayoutHorzDock, "..|..", 2},
        WrapCase{"GroupGapCountsWhileWrapping", {23, 23, -23}, 74, kLayoutHorzDock, "..|.", 2},
        WrapCase{"WideControlStaysAloneInItsRow", {200}, 50, kLayoutHorzDock, ".", 1},
        WrapCase{"WideControlInTheMiddle", {23, 200, 23}, 50, kLayoutHorzDock, ".|.|.", 3},
        WrapCase{"WideGroupStartIsNotBrokenAgain", {23, -200, 23, 23}, 50, kLayoutHorzDock, ".|.|..", 3},
        WrapCase{"ZeroLengthGivesOneControlPerRow", {23, -23, 23}, 0, kLayoutHorzDock, ".|.|.", 3},
        WrapCase{"NoWrapHidesFromTheOverflow", {23, 23, 23, 23}, 60, kLayoutHorzDock | kLayoutNoWrap, "..xx", 1},
        WrapCase{"NoWrapKeepsAWideFirstControl", {200, 23}, 60, kLayoutHorzDock | kLayoutNoWrap, ".x", 1},
        WrapCase{"SquareModeBreaksAtEveryGroup", {23, -23, 23, -23}, 1000, kLayoutWrapSquare, ".|..|.", 3}),
    [](const testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

TEST(ControlLayout, WrappingAddsTheStretchBitAndAWiderLayoutShowsHiddenControlsAgain)
{
    std::vector<ControlLayoutItem> items = Controls({23, 23, 23, 23});
    unsigned mode = kLayoutHorzDock | kLayoutNoWrap;
    WrapItems(items, 60, mode);
    EXPECT_NE(mode & kLayoutStretch, 0u);
    EXPECT_EQ(Rows(items), "..xx");
    mode = kLayoutHorzDock | kLayoutNoWrap;
    WrapItems(items, 200, mode);
    EXPECT_EQ(Rows(items), "....");
    EXPECT_EQ(mode & kLayoutStretch, 0u);
}

TEST(ControlLayout, InvisibleControlsTakeNoRoomAndKeepNoBreak)
{
    std::vector<ControlLayoutItem> items = Controls({23, 23, 23, 23});
    items[1].visible = false;
    unsigned mode = kLayoutHorzDock;
    EXPECT_EQ(WrapItems(items, 69, mode), 1);
    EXPECT_EQ(Rows(items), "....");
}

TEST(ControlLayout, EmptyBarMeasuresItsMinimumBox)
{
    std::vector<ControlLayoutItem> items = Controls({23});
    items[0].visible = false;
    BarLayoutRequest request = Request(300, kLayoutHorzDock, {2, 3, 4, 5});
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{2 + 4 + 23, 3 + 5 + 22}));
    request.minimum = 40;
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{29, 40}));
    request.mode = kLayoutVertDock;
    EXPECT_EQ(CalcBarLayout({}, request), (LayoutSize{40, 30}));
}

TEST(ControlLayout, DockedRowPlacesGroupsAndCentresControls)
{
    std::vector<ControlLayoutItem> items = Controls({23, -40, 23});
    items[1].cy = 30;
    BarLayoutRequest request = Request(300, kLayoutHorzDock | kLayoutCommit, {2, 2, 2, 2});
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{23 + 6 + 40 + 23 + 4, 30 + 4}));
    EXPECT_EQ(items[0].rect, (LayoutRect{2, 6, 25, 28}));
    EXPECT_EQ(items[1].rect, (LayoutRect{31, 2, 71, 32}));
    EXPECT_EQ(items[2].rect, (LayoutRect{71, 6, 94, 28}));
    EXPECT_EQ(items[0].rowRect, (LayoutRect{2, 2, 25, 32}));
}

TEST(ControlLayout, WrappedDockedBarTakesTheWholeLengthWithGapBetweenGroupRows)
{
    std::vector<ControlLayoutItem> items = Controls({23, 23, -23, 23});
    BarLayoutRequest request = Request(84, kLayoutHorzDock | kLayoutCommit, {2, 2, 2, 2});
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{84, 22 + 6 + 22 + 4}));
    EXPECT_TRUE(items[2].rowBreak);
    EXPECT_EQ(items[2].rect, (LayoutRect{2, 30, 25, 52}));
    EXPECT_EQ(items[3].rect, (LayoutRect{25, 30, 48, 52}));
}

TEST(ControlLayout, VerticalBarStacksColumnsToTheLeft)
{
    std::vector<ControlLayoutItem> items = Controls({23, 23, 23});
    for (ControlLayoutItem& item : items)
        item.cy = 20;
    BarLayoutRequest request = Request(44, kLayoutVertDock | kLayoutCommit);
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{46, 44}));
    // The first column ends at the right edge, the second lies left of it.
    EXPECT_EQ(items[0].rect, (LayoutRect{23, 0, 46, 20}));
    EXPECT_EQ(items[1].rect, (LayoutRect{23, 20, 46, 40}));
    EXPECT_EQ(items[2].rect, (LayoutRect{0, 0, 23, 20}));
}

TEST(ControlLayout, FarEndControlsPackAgainstTheEndAndStretchedControlsShareTheRest)
{
    std::vector<ControlLayoutItem> items = Controls({23, 50, 23, 23});
    items[1].stretched = true;
    items[2].farEnd = true;
    items[3].farEnd = true;
    BarLayoutRequest request = Request(200, kLayoutHorzDock | kLayoutCommit | kLayoutStretch, {2, 2, 2, 2});
    EXPECT_EQ(CalcBarLayout(items, request).cx, 200);
    EXPECT_EQ(items[3].rect.right, 198);
    EXPECT_EQ(items[2].rect.right, 175);
    EXPECT_EQ(items[1].rect.left, 25);
    EXPECT_EQ(items[1].rect.right, 152);  // grew up to the first far-end control
    EXPECT_EQ(items[1].rowRect.right, 152);
}

TEST(ControlLayout, FloatingWidthKeepsTheRowsAndNarrows)
{
    std::vector<ControlLayoutItem> items = Controls({20, 20, 20, 20, 20, 20});
    BarLayoutRequest request = Request(100, kLayoutCommit);
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{60, 44}));
}

TEST(ControlLayout, FloatingHeightFindsTheNarrowestLayoutThatFits)
{
    std::vector<ControlLayoutItem> items = Controls({20, 20, 20, 20, 20, 20});
    BarLayoutRequest request = Request(44, kLayoutLengthIsHeight);
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{60, 44}));
    request.length = 10;  // never fits: the widest layout
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{120, 22}));
}

TEST(ControlLayout, SquareModeWithoutRememberedWidthSearchesTheMostSquareLayout)
{
    std::vector<ControlLayoutItem> items = Controls({22, 22, 22, 22, 22, 22, 22, 22, 22});
    BarLayoutRequest request = Request(0, kLayoutWrapSquare);
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{66, 66}));
    request.floatingWidth = 100;  // remembered: wraps there, then at the width it found
    EXPECT_EQ(CalcBarLayout(items, request), (LayoutSize{88, 66}));
}
