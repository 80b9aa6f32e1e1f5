#include "core/TabRowLayout.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace kit;
using namespace kit::tabs;

namespace {

struct CompressionCase
{
    const char* name;
    std::vector<int> lengths;
    int available;
    std::vector<int> expected;
};

class TabCompression : public testing::TestWithParam<CompressionCase>
{
};

TEST_P(TabCompression, ShortensLongestTabsFirst)
{
    const CompressionCase& c = GetParam();
    std::vector<int> lengths = c.lengths;
    CompressTabLengths(lengths, c.available);
    EXPECT_EQ(lengths, c.expected);
    for (int length : lengths)
        EXPECT_GE(length, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TabCompression,
    testing::Values(CompressionCase{"fits", {50, 60}, 200, {50, 60}},
                    CompressionCase{"one_long_tab_cut", {100, 60, 40}, 170, {70, 60, 40}},
                    CompressionCase{"two_groups_cut", {100, 100, 60, 40}, 220, {60, 60, 60, 40}},
                    CompressionCase{"equal_tabs_share", {50, 50, 50, 50}, 150, {37, 37, 37, 37}},
                    CompressionCase{"single_tab_takes_room", {120}, 80, {80}},
                    // The navigate buttons can take more than the header has.
                    CompressionCase{"negative_room_single", {120}, -30, {0}},
                    CompressionCase{"negative_room_many", {40, 30, 20}, -14, {0, 0, 0}},
                    CompressionCase{"no_room", {40, 30}, 0, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RowCase
{
    const char* name;
    std::vector<int> lengths;
    int rowLength;
    bool balance;
    int selected;
    bool keepOrder;
    std::vector<TabRowRange> rows;
    std::vector<int> lengthsAfter;
};

class TabRows : public testing::TestWithParam<RowCase>
{
};

TEST_P(TabRows, SpreadsTabsOverRows)
{
    const RowCase& c = GetParam();
    const MultiRowLayout layout = LayoutTabRows(c.lengths, c.rowLength, c.balance, c.selected, c.keepOrder);
    EXPECT_EQ(layout.rows, c.rows);
    EXPECT_EQ(layout.lengths, c.lengthsAfter);
    for (size_t row = 0; row < layout.rows.size(); ++row)
        for (int tab = layout.rows[row].first; tab <= layout.rows[row].last; ++tab)
            EXPECT_EQ(layout.rowOfTab[tab], static_cast<int>(row)) << "tab " << tab;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TabRows,
    testing::Values(
        RowCase{"one_row", {100, 100}, 350, true, 0, false, {{0, 1}}, {100, 100}},
        RowCase{"balanced_two_rows", {100, 100, 100, 100, 100}, 350, true, 0, false, {{0, 1}, {2, 4}},
                {175, 175, 116, 117, 117}},
        RowCase{"selected_row_moves_to_client", {100, 100, 100, 100, 100}, 350, true, 3, false, {{2, 4}, {0, 1}},
                {175, 175, 116, 117, 117}},
        RowCase{"selected_row_kept", {100, 100, 100, 100, 100}, 350, true, 3, true, {{0, 1}, {2, 4}},
                {175, 175, 116, 117, 117}},
        RowCase{"greedy_unbalanced", {100, 100, 100, 100, 100}, 350, false, 0, false, {{0, 2}, {3, 4}},
                {100, 100, 100, 100, 100}},
        RowCase{"no_tabs", {}, 350, true, -1, false, {{0, -1}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TabRows, ManyTabsInNarrowRowsEndQuickly)
{
    // Backtracking over rows of uneven tabs is remembered per row and start,
    // so a long strip is laid out at once.
    std::vector<int> lengths;
    for (int i = 0; i < 400; ++i)
        lengths.push_back(20 + (i * 37) % 90);
    const MultiRowLayout layout = LayoutTabRows(lengths, 150, true, 0, true);
    EXPECT_GT(layout.rows.size(), 100u);
    EXPECT_EQ(layout.rows.front().first, 0);
}

struct ScrollCase
{
    const char* name;
    int offset;
    int total;
    int visible;
    int expected;
};

class TabScroll : public testing::TestWithParam<ScrollCase>
{
};

TEST_P(TabScroll, NeverLeavesRoomAtTheEnd)
{
    const ScrollCase& c = GetParam();
    EXPECT_EQ(ClampScrollOffset(c.offset, c.total, c.visible), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, TabScroll,
                         testing::Values(ScrollCase{"positive_is_zero", 15, 300, 100, 0},
                                         ScrollCase{"widened_until_all_fit", -60, 300, 320, 0},
                                         ScrollCase{"widened_partly", -60, 300, 270, -30},
                                         ScrollCase{"still_needed", -60, 300, 200, -60}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TabScroll, EnsureVisibleBringsTabIntoHeader)
{
    // Header 10..210 with a leading margin of 2.
    EXPECT_EQ(ScrollOffsetToShow(-100, 10, 210, 2, -20, 40), -100 + 32);
    EXPECT_EQ(ScrollOffsetToShow(0, 10, 210, 2, 180, 260), -50);
    EXPECT_EQ(ScrollOffsetToShow(-40, 10, 210, 2, 50, 100), -40);
    EXPECT_EQ(ScrollOffsetToShow(-40, 10, 10, 2, 50, 100), -40) << "an empty header changes nothing";
}

TEST(TabColors, AutomaticColoursWrapForEveryNumber)
{
    struct
    {
        long long number;
        std::uint32_t index;
        ColorRef colour;
    } const cases[] = {
        {0, 0x1000000, 0xE4A88A}, {7, 0x1000007, 0xC0ABD8}, {8, 0x1000000, 0xE4A88A},
        {9, 0x1000001, 0x75DBFF}, {-3, 0x1000005, 0xB4BF9A}, {-8, 0x1000000, 0xE4A88A},
        {-2147483648LL, 0x1000000, 0xE4A88A},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(AutoTabColorIndex(c.number), c.index) << c.number;
        EXPECT_EQ(ResolveTabColor(AutoTabColorIndex(c.number)), c.colour) << c.number;
    }
    EXPECT_EQ(ResolveTabColor(0x123456), 0x123456u) << "a literal colour stays";
    EXPECT_EQ(ResolveTabColor(0x1000008), 0x1000008u);
}

TEST(TabLengths, ClampedToMinimumAndMaximum)
{
    EXPECT_EQ(ClampTabLength(50, 6, 0, 0), 56);
    EXPECT_EQ(ClampTabLength(50, 6, 80, 0), 80);
    EXPECT_EQ(ClampTabLength(50, 6, 80, 60), 60) << "the maximum wins";
    EXPECT_EQ(ClampTabLength(50, 0, 0, 40), 40);
}

TEST(TabKeys, ArrowsHomeAndEndSkipHiddenAndDisabledTabs)
{
    const std::vector<TabNavState> tabs = {
        {false, true}, {true, true}, {true, false}, {true, true}, {true, true}, {false, true}};
    EXPECT_EQ(TabForKey(tabs, 3, TabKey::Home, true, false).activate, 1);
    EXPECT_EQ(TabForKey(tabs, 1, TabKey::End, true, false).activate, 4);
    EXPECT_EQ(TabForKey(tabs, 3, TabKey::Left, true, false).activate, 1);
    EXPECT_EQ(TabForKey(tabs, 1, TabKey::Right, true, false).activate, 3);
    EXPECT_EQ(TabForKey(tabs, 3, TabKey::Left, true, true).activate, 4) << "right to left";
    EXPECT_EQ(TabForKey(tabs, 3, TabKey::Down, false, false).activate, 4);
    const TabKeyResult across = TabForKey(tabs, 3, TabKey::Up, true, false);
    EXPECT_TRUE(across.handled);
    EXPECT_EQ(across.activate, -1);
    EXPECT_FALSE(TabForKey(tabs, 3, TabKey::Other, true, false).handled);
    EXPECT_FALSE(TabForKey({}, -1, TabKey::Home, true, false).handled);
    const TabKeyResult noSelection = TabForKey(tabs, -1, TabKey::Right, true, false);
    EXPECT_TRUE(noSelection.handled);
    EXPECT_EQ(noSelection.activate, -1);
}

TEST(TabMargins, TurnWithThePosition)
{
    const KitRect rect{0, 0, 100, 50};
    const KitRect margins{1, 2, 3, 4};  // start, outer, end, client side
    EXPECT_EQ(OrientedDeflate(rect, margins, kPositionTop), (KitRect{1, 2, 97, 46}));
    EXPECT_EQ(OrientedDeflate(rect, margins, kPositionLeft), (KitRect{2, 1, 96, 47}));
    EXPECT_EQ(OrientedDeflate(rect, margins, kPositionBottom), (KitRect{1, 4, 97, 48}));
    EXPECT_EQ(OrientedDeflate(rect, margins, kPositionRight), (KitRect{4, 1, 98, 47}));
    EXPECT_EQ(OrientedInflate(OrientedDeflate(rect, margins, 3), margins, 3), rect);
}

TEST(TabRowsPlacement, RowZeroLiesNextToTheClientArea)
{
    const KitRect rect{0, 0, 300, 200};
    // Three rows 20 deep, 2 apart (pitch 22), outer margin 3.
    EXPECT_EQ(RowStart(kPositionTop, rect, 3, 20, 2, 0, 3), 47);
    EXPECT_EQ(RowStart(kPositionTop, rect, 3, 20, 2, 2, 3), 3);
    EXPECT_EQ(RowStart(kPositionBottom, rect, 3, 20, 2, 0, 3), 200 - 4 - 60 - 3);
    EXPECT_EQ(RowStart(kPositionBottom, rect, 3, 20, 2, 2, 3), 200 - 4 - 60 - 3 + 44);
    EXPECT_EQ(RowStart(kPositionLeft, rect, 3, 20, 2, 1, 3), 25);
}

TEST(TabButtons, PlacedFromTheFarEnd)
{
    KitRect header{10, 0, 210, 24};
    const KitRect close = PlaceNavigateButton(header, true);
    const KitRect right = PlaceNavigateButton(header, true);
    EXPECT_EQ(close, (KitRect{196, 4, 210, 19}));
    EXPECT_EQ(right, (KitRect{182, 4, 196, 19}));
    EXPECT_EQ(header.right, 182);
    KitRect side{0, 10, 24, 210};
    EXPECT_EQ(PlaceNavigateButton(side, false), (KitRect{5, 195, 19, 210}));
    EXPECT_EQ(side.bottom, 195);
}

}  // namespace
