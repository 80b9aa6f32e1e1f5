#include "core/ArrangementLayout.h"

#include <gtest/gtest.h>

#include "SampleArrangement.h"

using namespace kit;
using namespace kit::docking;

namespace {

constexpr int kGap = 4;
constexpr KitRect kFrame{0, 0, 800, 600};

TEST(ArrangementLayout, PanesLeftAndBelowTheView)
{
    StoredArrangement a = SampleArrangement();
    const ArrangementPlacement placement = LayoutArrangement(a, kFrame, kGap);
    EXPECT_EQ(placement.Rect(3), (KitRect{0, 0, 200, 600}));
    EXPECT_EQ(placement.Rect(6), placement.Rect(3)) << "a tab shares its group's place";
    EXPECT_EQ(placement.Rect(5), (KitRect{204, 450, 800, 600}));
    EXPECT_EQ(placement.Rect(7), placement.Rect(5));
    EXPECT_EQ(placement.view, (KitRect{204, 0, 800, 446}));
    EXPECT_EQ(a.Node(4)->dockingCx, 596) << "the view's split keeps what it was given";
    ASSERT_EQ(placement.bars.size(), 2u);
    EXPECT_EQ(placement.bars[0].rect, (KitRect{200, 0, 204, 600}));
    EXPECT_EQ(placement.bars[1].rect, (KitRect{204, 446, 800, 450}));
    EXPECT_TRUE(placement.Rect(12).IsEmpty()) << "floating windows are not in the frame";
}

TEST(ArrangementLayout, ViewAloneFillsTheFrame)
{
    StoredArrangement a = DefaultArrangement();
    const ArrangementPlacement placement = LayoutArrangement(a, kFrame, kGap);
    EXPECT_EQ(placement.view, kFrame);
    EXPECT_TRUE(placement.bars.empty());
}

TEST(ArrangementLayout, DroppedBarMovesTheNeighboursWithinTheirLimits)
{
    StoredArrangement a = SampleArrangement();  // the left pane wants at least 60 pixels
    ArrangementPlacement placement = LayoutArrangement(a, kFrame, kGap);
    const SplitBarPlace bar = placement.bars[0];
    const std::optional<AxisSpan> limits = BarTrackLimits(a, placement, bar, 22, kGap);
    ASSERT_TRUE(limits.has_value());
    EXPECT_EQ(*limits, (AxisSpan{60, 778}));

    EXPECT_TRUE(DropBar(a, placement, bar, 300, kGap, false));
    placement = LayoutArrangement(a, kFrame, kGap);
    EXPECT_EQ(placement.Rect(3), (KitRect{0, 0, 300, 600}));
    EXPECT_EQ(placement.view, (KitRect{304, 0, 800, 446}));

    // The bottom group's bar, dragged up by 100 pixels.
    const SplitBarPlace bottom = placement.bars[1];
    EXPECT_TRUE(DropBar(a, placement, bottom, 346, kGap, false));
    placement = LayoutArrangement(a, kFrame, kGap);
    EXPECT_EQ(placement.Rect(5), (KitRect{304, 350, 800, 600}));
}

TEST(ArrangementLayout, BarDroppedAfterTheTreeChangedChangesNothing)
{
    StoredArrangement a = SampleArrangement();
    const ArrangementPlacement placement = LayoutArrangement(a, kFrame, kGap);
    const SplitBarPlace bar = placement.bars[1];  // between the view and the bottom group
    // While the drag ran, the bottom group was closed out of its split.
    a.Node(4)->children = {1};
    const StoredArrangement before = a;
    EXPECT_FALSE(DropBar(a, placement, bar, 300, kGap, false));
    EXPECT_EQ(a, before);
    // A bar of a split that became a pane's group is refused as well.
    SplitBarPlace stale = placement.bars[0];
    stale.split = 3;
    EXPECT_FALSE(DropBar(a, placement, stale, 300, kGap, false));
}

TEST(ArrangementLayout, TrackLimitsOfGroupsAndSplits)
{
    StoredArrangement a = SampleArrangement();
    a.Node(7)->minTrackY = 40;
    a.Node(8)->minTrackY = 70;
    a.Node(8)->maxTrackX = 500;
    const TrackLimits group = NodeTrackLimits(a, 5, kGap);
    EXPECT_EQ(group.minY, 70);
    EXPECT_EQ(group.maxX, 500);
    const TrackLimits split = NodeTrackLimits(a, 4, kGap);  // the view above the group
    EXPECT_EQ(split.minY, 70 + kGap);
    EXPECT_EQ(split.maxX, 500);
}

}  // namespace
