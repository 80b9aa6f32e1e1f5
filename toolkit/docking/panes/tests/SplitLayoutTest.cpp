#include "core/SplitLayout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kit::docking;

namespace {

TEST(SplitLayout, ViewTakesWhatThePanesLeave)
{
    // A 200-pixel pane, the view, a 150-pixel pane in 800 pixels with 4-pixel gaps.
    const std::vector<SplitChild> children = {{200, 0, 32000, false}, {0, 0, 32000, true}, {150, 0, 32000, false}};
    const SplitShares shares = ComputeChildShares(children, 800, 4, true);
    EXPECT_EQ(shares.shares, (std::vector<int>{200, 442, 150}));
    EXPECT_EQ(shares.clientDockingSize, 442);
    const std::vector<AxisSpan> spans = PlaceChildSpans(shares, 0, 800, 4);
    EXPECT_EQ(spans, (std::vector<AxisSpan>{{0, 200}, {204, 646}, {650, 800}}));
}

TEST(SplitLayout, LimitsFixChildrenOutOfThePool)
{
    // Too narrow for both wishes: the first pane keeps its minimum of 120.
    const std::vector<SplitChild> children = {{300, 120, 32000, false}, {300, 0, 32000, false}};
    const SplitShares shares = ComputeChildShares(children, 204, 4, true);
    EXPECT_EQ(shares.shares[0], -120);
    const std::vector<AxisSpan> spans = PlaceChildSpans(shares, 10, 214, 4);
    EXPECT_EQ(spans, (std::vector<AxisSpan>{{10, 130}, {134, 214}}));
    // A maximum below the proportional extent caps the child.
    const std::vector<SplitChild> capped = {{100, 0, 60, false}, {100, 0, 32000, false}};
    const SplitShares cappedShares = ComputeChildShares(capped, 304, 4, true);
    EXPECT_EQ(PlaceChildSpans(cappedShares, 0, 304, 4), (std::vector<AxisSpan>{{0, 60}, {64, 304}}));
}

TEST(SplitLayout, SpansStayInsideEvenWithoutRoom)
{
    const std::vector<SplitChild> children = {{200, 150, 32000, false}, {0, 0, 32000, true}, {200, 150, 32000, false}};
    const SplitShares shares = ComputeChildShares(children, 100, 4, true);
    for (const AxisSpan& span : PlaceChildSpans(shares, 0, 100, 4))
    {
        EXPECT_GE(span.start, 0);
        EXPECT_LE(span.end, 100);
        EXPECT_LE(span.start, span.end);
    }
    // Damaged limits (a maximum below the minimum, negative values) are tamed.
    const std::vector<SplitChild> odd = {{50, 80, 10, false}, {50, -20, -5, false}};
    for (const AxisSpan& span : PlaceChildSpans(ComputeChildShares(odd, 200, 4, true), 0, 200, 4))
        EXPECT_LE(span.start, span.end);
}

TEST(SplitLayout, BarLimitsKeepBothNeighboursUsable)
{
    const SplitChild free{0, 0, 32000, false};
    const SplitChild wide{0, 100, 32000, false};
    const SplitChild narrow{0, 0, 150, false};
    EXPECT_EQ(SplitterTrackLimits({0, 400}, free, free, 22, 4), (AxisSpan{22, 378}));
    EXPECT_EQ(SplitterTrackLimits({0, 400}, wide, free, 22, 4), (AxisSpan{100, 378}));
    EXPECT_EQ(SplitterTrackLimits({0, 400}, narrow, free, 22, 4), (AxisSpan{22, 150}));
    EXPECT_EQ(SplitterTrackLimits({0, 400}, free, narrow, 22, 4), (AxisSpan{246, 378}));
    EXPECT_FALSE(SplitterTrackLimits({0, 40}, free, free, 22, 4).has_value());
}

TEST(SplitLayout, DroppedBarSharesTheNeighboursSizes)
{
    EXPECT_EQ(SizesAfterDrag(200, 196, 4, {0, 400}, 100, false), (NeighbourSizes{100, 296}));
    EXPECT_EQ(SizesAfterDrag(200, 196, 4, {0, 400}, 100, true), (NeighbourSizes{296, 100}));
    EXPECT_EQ(SizesAfterDrag(200, 196, 4, {50, 50}, 100, false), (NeighbourSizes{200, 196}))
        << "an empty union divides by nothing";
}

}  // namespace
