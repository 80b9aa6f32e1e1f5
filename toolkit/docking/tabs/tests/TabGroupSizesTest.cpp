// Group sizes of the MDI tab workspace: splitting, splitter moves (also in a
// right-to-left window and with nothing to divide) and the pixel extents.
#include "core/TabGroupSizes.h"

#include <gtest/gtest.h>

#include <limits>
#include <numeric>

using namespace kit::tabs;

TEST(TabGroupSizesTest, SplittingAGroupOf400WithASplitterOf4GivesBoth198)
{
    const GroupPairSizes sizes = SplitGroupSize(400, 4);
    EXPECT_DOUBLE_EQ(sizes.first, 198);
    EXPECT_DOUBLE_EQ(sizes.second, 198);
}

TEST(TabGroupSizesTest, SplitterMovesShareTheTotalOfThePair)
{
    struct Case
    {
        int pos;
        bool rtl;
        double a, b;
    };
    // Two groups of 198 with a splitter of 4 over limits 0..400.
    const Case cases[] = {
        {100, false, 100, 296}, // a quarter of the way: a quarter of the total 400
        {0, false, 0, 396},     // the splitter at the leading edge
        {396, false, 396, 0},   // at the far edge
        {100, true, 296, 100},  // right to left: measured from the right
        {-50, false, 0, 396},   // beyond the limits: clamped
    };
    for (const Case& c : cases)
    {
        const GroupPairSizes sizes = ResizeGroupPair(198, 198, 4, c.pos, 0, 400, c.rtl);
        EXPECT_NEAR(sizes.first, c.a, 1e-9) << c.pos << (c.rtl ? " rtl" : "");
        EXPECT_NEAR(sizes.second, c.b, 1e-9) << c.pos << (c.rtl ? " rtl" : "");
    }
}

TEST(TabGroupSizesTest, SplitterMoveOverEmptyLimitsLeavesTheSizesAsTheyWere)
{
    // Both groups collapsed in a workspace of no size: nothing to divide by.
    GroupPairSizes sizes = ResizeGroupPair(0, 0, 4, 0, 0, 0, false);
    EXPECT_DOUBLE_EQ(sizes.first, 0);
    EXPECT_DOUBLE_EQ(sizes.second, 0);
    sizes = ResizeGroupPair(120, 80, 4, 10, 5, -3, true);
    EXPECT_DOUBLE_EQ(sizes.first, 120);
    EXPECT_DOUBLE_EQ(sizes.second, 80);
}

TEST(TabGroupSizesTest, ExtentsFollowTheStoredProportionsAndFillTheSpace)
{
    const std::vector<int> extents = GroupExtents({100, 300}, 404, 4);
    ASSERT_EQ(extents.size(), 2u);
    EXPECT_EQ(extents[0], 100);
    EXPECT_EQ(extents[1], 300);
    const std::vector<int> three = GroupExtents({1, 1, 1}, 108, 4);
    EXPECT_EQ(std::accumulate(three.begin(), three.end(), 0), 100) << "the splitters take 8";
    for (int extent : three)
        EXPECT_GE(extent, 33);
}

TEST(TabGroupSizesTest, ExtentsOfZeroSizedGroupsOrAZeroSizedWorkspaceDivideNothingByZero)
{
    // All groups of size zero (a workspace that was laid out at size zero):
    // equal shares instead of a division by a zero total.
    EXPECT_EQ(GroupExtents({0, 0}, 204, 4), (std::vector<int>{100, 100}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(GroupExtents({nan, -5}, 204, 4), (std::vector<int>{100, 100}));
    // A workspace of no size, or one narrower than its splitters.
    EXPECT_EQ(GroupExtents({50, 50}, 0, 4), (std::vector<int>{0, 0}));
    EXPECT_EQ(GroupExtents({50, 50, 50}, 5, 4), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(GroupExtents({}, 100, 4).empty());
}
