#include "ArrangementLayout.h"

#include <algorithm>

namespace kit::docking {

namespace {

bool ContainsNode(const StoredArrangement& arrangement, int32_t root, int32_t wanted, int depth = 0)
{
    if (root == wanted)
        return true;
    const StoredNode* node = arrangement.Node(root);
    // A sound arrangement has no cycles; the depth bound keeps an unchecked
    // one from recursing without end.
    if (!node || depth > static_cast<int>(arrangement.nodes.size()))
        return false;
    for (int32_t child : node->children)
        if (ContainsNode(arrangement, child, wanted, depth + 1))
            return true;
    return false;
}

int& DockingSize(StoredNode& node, bool horizontal) { return horizontal ? node.dockingCx : node.dockingCy; }

void Place(StoredArrangement& arrangement, int32_t index, const KitRect& rect, int gap,
           ArrangementPlacement& placement, int depth)
{
    StoredNode* node = arrangement.Node(index);
    if (!node || depth > static_cast<int>(arrangement.nodes.size()))
        return;
    placement.rects[static_cast<size_t>(index) - 1] = rect;
    if (node->type == kNodeClient)
    {
        placement.view = rect;
        return;
    }
    if (node->type == kNodeTabbedContainer)
    {
        // The group's tabs share its place; the group lays out its caption and
        // tab row inside it.
        for (int32_t child : node->children)
            if (arrangement.Node(child))
                placement.rects[static_cast<size_t>(child) - 1] = rect;
        return;
    }
    if (node->type != kNodeSplit || node->children.empty())
        return;
    if (node->children.size() == 1)
    {
        Place(arrangement, node->children.front(), rect, gap, placement, depth + 1);
        return;
    }
    const bool horizontal = node->horizontal;
    std::vector<SplitChild> children;
    for (int32_t child : node->children)
    {
        const TrackLimits limits = NodeTrackLimits(arrangement, child, gap);
        StoredNode& childNode = *arrangement.Node(child);
        children.push_back({DockingSize(childNode, horizontal), horizontal ? limits.minX : limits.minY,
                            horizontal ? limits.maxX : limits.maxY,
                            ContainsNode(arrangement, child, arrangement.client)});
    }
    const int start = horizontal ? rect.left : rect.top;
    const int end = horizontal ? rect.right : rect.bottom;
    const SplitShares shares = ComputeChildShares(children, end - start, gap, true);
    if (shares.clientDockingSize)
    {
        for (size_t i = 0; i < children.size(); ++i)
        {
            if (!children[i].holdsClient)
                continue;
            StoredNode& holder = *arrangement.Node(node->children[i]);
            holder.dockingCx = 0;
            holder.dockingCy = 0;
            DockingSize(holder, horizontal) = *shares.clientDockingSize;
            break;
        }
    }
    const std::vector<AxisSpan> spans = PlaceChildSpans(shares, start, end, gap);
    for (size_t i = 0; i < spans.size(); ++i)
    {
        const AxisSpan& span = spans[i];
        const KitRect childRect = horizontal ? KitRect{span.start, rect.top, span.end, rect.bottom}
                                             : KitRect{rect.left, span.start, rect.right, span.end};
        Place(arrangement, node->children[i], childRect, gap, placement, depth + 1);
        if (i + 1 < spans.size())
        {
            const int barEnd = std::min(span.end + gap, end);
            SplitBarPlace bar{index, node->children[i], node->children[i + 1], horizontal,
                              horizontal ? KitRect{span.end, rect.top, barEnd, rect.bottom}
                                         : KitRect{rect.left, span.end, rect.right, barEnd}};
            placement.bars.push_back(bar);
        }
    }
}

AxisSpan UnionOnAxis(const ArrangementPlacement& placement, const SplitBarPlace& bar)
{
    const KitRect& a = placement.Rect(bar.first);
    const KitRect& b = placement.Rect(bar.second);
    return bar.horizontalSplit ? AxisSpan{std::min(a.left, b.left), std::max(a.right, b.right)}
                               : AxisSpan{std::min(a.top, b.top), std::max(a.bottom, b.bottom)};
}

SplitChild LimitsOnAxis(const StoredArrangement& arrangement, int32_t index, bool horizontal, int gap)
{
    const TrackLimits limits = NodeTrackLimits(arrangement, index, gap);
    return {0, horizontal ? limits.minX : limits.minY, horizontal ? limits.maxX : limits.maxY, false};
}

}  // namespace

TrackLimits NodeTrackLimits(const StoredArrangement& arrangement, int32_t index, int gap)
{
    TrackLimits limits;
    const StoredNode* node = arrangement.Node(index);
    if (!node)
        return limits;
    if (node->type == kNodePane)
        return {node->minTrackX, node->minTrackY, node->maxTrackX, node->maxTrackY};
    if (node->type != kNodeTabbedContainer && node->type != kNodeSplit)
        return limits;
    const bool alongX = node->type == kNodeSplit && node->horizontal;
    const bool alongY = node->type == kNodeSplit && !node->horizontal;
    bool first = true;
    for (int32_t child : node->children)
    {
        const StoredNode* childNode = arrangement.Node(child);
        if (!childNode || ContainsNode(arrangement, child, index))
            continue;
        const TrackLimits c = NodeTrackLimits(arrangement, child, gap);
        if (first)
        {
            limits = c;
            first = false;
            continue;
        }
        limits.minX = alongX ? limits.minX + c.minX : std::max(limits.minX, c.minX);
        limits.maxX = alongX ? limits.maxX + c.maxX : std::min(limits.maxX, c.maxX);
        limits.minY = alongY ? limits.minY + c.minY : std::max(limits.minY, c.minY);
        limits.maxY = alongY ? limits.maxY + c.maxY : std::min(limits.maxY, c.maxY);
    }
    if (node->type == kNodeSplit && node->children.size() > 1)
    {
        const int bars = static_cast<int>(node->children.size() - 1) * gap;
        (alongX ? limits.minX : limits.minY) += bars;
        (alongX ? limits.maxX : limits.maxY) += bars;
    }
    return limits;
}

ArrangementPlacement LayoutArrangement(StoredArrangement& arrangement, const KitRect& frame, int gap)
{
    ArrangementPlacement placement;
    placement.rects.assign(arrangement.nodes.size(), KitRect{});
    placement.view = frame;
    Place(arrangement, arrangement.topContainer, frame, gap, placement, 0);
    return placement;
}

std::optional<AxisSpan> BarTrackLimits(const StoredArrangement& arrangement, const ArrangementPlacement& placement,
                                       const SplitBarPlace& bar, int minimumExtent, int gap)
{
    return SplitterTrackLimits(UnionOnAxis(placement, bar),
                               LimitsOnAxis(arrangement, bar.first, bar.horizontalSplit, gap),
                               LimitsOnAxis(arrangement, bar.second, bar.horizontalSplit, gap), minimumExtent, gap);
}

bool DropBar(StoredArrangement& arrangement, const ArrangementPlacement& placement, const SplitBarPlace& bar,
             int barStart, int gap, bool rightToLeft)
{
    const StoredNode* split = arrangement.Node(bar.split);
    if (!split || split->type != kNodeSplit || split->horizontal != bar.horizontalSplit ||
        placement.rects.size() != arrangement.nodes.size())
        return false;
    const auto at = std::find(split->children.begin(), split->children.end(), bar.first);
    if (at == split->children.end() || at + 1 == split->children.end() || *(at + 1) != bar.second)
        return false;
    StoredNode* first = arrangement.Node(bar.first);
    StoredNode* second = arrangement.Node(bar.second);
    const bool horizontal = bar.horizontalSplit;
    const NeighbourSizes sizes = SizesAfterDrag(DockingSize(*first, horizontal), DockingSize(*second, horizontal),
                                                gap, UnionOnAxis(placement, bar), barStart,
                                                rightToLeft && horizontal);
    DockingSize(*first, horizontal) = sizes.first;
    DockingSize(*second, horizontal) = sizes.second;
    return true;
}

}  // namespace kit::docking
