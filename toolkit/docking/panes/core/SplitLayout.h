// The arithmetic of a split node along its axis: how the children's docking
// sizes become extents within their tracking limits (the view's child takes
// what is left), how far a splitter bar may be dragged, and the docking sizes
// a dropped bar gives its two neighbours. The window side feeds sizes in and
// moves windows to what comes out.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kit::docking {

struct SplitChild
{
    int dockingSize = 0;  // the preferred extent on the split's axis
    int minimum = 0;      // tracking limits on the axis
    int maximum = 32000;
    bool holdsClient = false;  // the child through which the view is reached
};

struct SplitShares
{
    // Above 0 a weight in the proportional pool, 0 or below a fixed extent
    // (negated).
    std::vector<int> shares;
    long long wanted = 0;        // W: the pool's total weight
    long long available = 0;     // A: the extent the pool shares
    std::optional<int> clientDockingSize;  // what the view's child now asks for
};

// The shares of `children` in `extent` pixels with `gap` pixels between two
// children. `resetClient` is the layout pass (the view's child gives up its
// own docking size and takes the rest).
SplitShares ComputeChildShares(std::span<const SplitChild> children, int extent, int gap, bool resetClient);

struct AxisSpan
{
    int start = 0;
    int end = 0;
    bool operator==(const AxisSpan&) const = default;
};

// The children's spans from `start` to `end`, `gap` apart; rounding goes to
// the later children and the last one reaches `end`.
std::vector<AxisSpan> PlaceChildSpans(const SplitShares& shares, int start, int end, int gap);

// How far the leading edge of the bar between two neighbours may go: from
// the union of the two spans, each neighbour kept at least `minimumExtent`
// and within its own limits. Nothing when no position is allowed.
std::optional<AxisSpan> SplitterTrackLimits(AxisSpan both, const SplitChild& first, const SplitChild& second,
                                            int minimumExtent, int gap);

struct NeighbourSizes
{
    int first = 0;
    int second = 0;
    bool operator==(const NeighbourSizes&) const = default;
};

// The docking sizes after the bar was dropped at `barStart` within `both`;
// on a right-to-left frame the first neighbour lies on the right. An empty
// union keeps the sizes as they were.
NeighbourSizes SizesAfterDrag(int firstSize, int secondSize, int gap, AxisSpan both, int barStart,
                              bool rightToLeft);

}  // namespace kit::docking
