// Where the docked part of an arrangement goes inside the frame's layout
// rectangle: the top split and everything below it, split by split, with the
// bars between neighbours and the rectangle the view receives. The host runs
// it on every layout pass; a dropped splitter bar changes the two
// neighbours' docking sizes through it.
#pragma once

#include <vector>

#include "SplitLayout.h"
#include "StoredArrangement.h"

namespace kit::docking {

struct SplitBarPlace
{
    int32_t split = 0;   // the split node the bar belongs to
    int32_t first = 0;   // its neighbours
    int32_t second = 0;
    bool horizontalSplit = false;  // side-by-side neighbours, a vertical bar
    KitRect rect;
};

struct ArrangementPlacement
{
    std::vector<KitRect> rects;  // rects[i - 1] for node i; empty when not placed
    std::vector<SplitBarPlace> bars;
    KitRect view;

    const KitRect& Rect(int32_t index) const { return rects[static_cast<size_t>(index) - 1]; }
};

struct TrackLimits
{
    int minX = 0;
    int minY = 0;
    int maxX = kMaxTrackSize;
    int maxY = kMaxTrackSize;
};

// The limits of a node along both axes: a pane's own, a group's tightest, a
// split's summed along its axis with the bars between its children.
TrackLimits NodeTrackLimits(const StoredArrangement& arrangement, int32_t index, int gap);

// Lays the docked tree of a sound arrangement out in `frame`; the view's
// child gives up its docking size and takes what the others leave (its new
// size is written back, as are no other sizes).
ArrangementPlacement LayoutArrangement(StoredArrangement& arrangement, const KitRect& frame, int gap);

// How far the leading edge of `bar` may be dragged, and the neighbours'
// docking sizes when it is dropped at `barStart`. The drag loop lets other
// messages through, so the tree may have changed under the bar by the time it
// is dropped: a bar whose split no longer has these two neighbours side by
// side changes nothing and answers false.
std::optional<AxisSpan> BarTrackLimits(const StoredArrangement& arrangement, const ArrangementPlacement& placement,
                                       const SplitBarPlace& bar, int minimumExtent, int gap);
bool DropBar(StoredArrangement& arrangement, const ArrangementPlacement& placement, const SplitBarPlace& bar,
             int barStart, int gap, bool rightToLeft);

}  // namespace kit::docking
