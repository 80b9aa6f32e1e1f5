// The arithmetic of the MDI tab workspace's groups that needs no window:
// splitting a group in two, resizing two neighbours by their splitter, and
// the extents the groups take in the workspace. Sizes are doubles so that
// repeated moves keep the proportions.
#pragma once

#include <vector>

namespace kit::tabs {

struct GroupPairSizes
{
    double first = 0;
    double second = 0;
};

// A group of `size` split by a splitter of `splitterWidth`: the new group
// gets half of what the splitter leaves, the old one the rest.
GroupPairSizes SplitGroupSize(double size, double splitterWidth);

// Groups a and b after their splitter moved to `splitterPos`, measured
// within limits [limitsStart, limitsStart + limitsLength); in a right-to-left
// window the position counts from the right. Empty limits (both groups
// collapsed, or a workspace of no size) leave the sizes as they were.
GroupPairSizes ResizeGroupPair(double sizeA, double sizeB, double splitterWidth, int splitterPos, int limitsStart,
                               int limitsLength, bool rightToLeft);

// Whole-pixel extents of the groups along a workspace of `available`
// pixels with splitters of `splitterWidth` between them: the stored sizes
// scaled to what is there, summing exactly to the space. Groups whose
// sizes are all zero (or not numbers) share the space equally.
std::vector<int> GroupExtents(const std::vector<double>& sizes, int available, int splitterWidth);

} // namespace kit::tabs
