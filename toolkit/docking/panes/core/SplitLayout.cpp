#include "SplitLayout.h"

#include <algorithm>

namespace kit::docking {

namespace {

// Limits as the layout may trust them: not negative, the minimum winning
// over a smaller maximum.
SplitChild Sanitized(const SplitChild& child)
{
    SplitChild clean = child;
    clean.minimum = std::max(child.minimum, 0);
    clean.maximum = std::max(child.maximum, clean.minimum);
    return clean;
}

// Children whose proportional extent breaks their limits leave the pool with
// a fixed extent; the scan restarts after every fix.
void FixExtremes(std::span<const SplitChild> children, SplitShares& result)
{
    const size_t count = children.size();
    for (size_t pass = 0; pass <= count; ++pass)
    {
        bool fixedOne = false;
        for (size_t i = 0; i < count && !fixedOne; ++i)
        {
            int& share = result.shares[i];
            if (share < 0 || result.wanted == 0)
                continue;
            const SplitChild child = Sanitized(children[i]);
            const long long extent = result.available * share / result.wanted;
            long long fixed = -1;
            if (extent < child.minimum)
                fixed = child.minimum;
            else if (extent > child.maximum)
                fixed = child.maximum;
            if (fixed < 0)
                continue;
            result.available -= fixed;
            result.wanted -= share;
            share = static_cast<int>(-fixed);
            fixedOne = true;
            if (result.available < 0)
            {
                share = static_cast<int>(share - result.available);
                result.available = 0;
                return;
            }
        }
        if (!fixedOne)
            return;
    }
}

}  // namespace

SplitShares ComputeChildShares(std::span<const SplitChild> children, int extent, int gap, bool resetClient)
{
    SplitShares result;
    std::optional<size_t> clientChild;
    for (size_t i = 0; i < children.size(); ++i)
    {
        const SplitChild child = Sanitized(children[i]);
        int share = std::clamp(child.dockingSize, child.minimum, child.maximum);
        if (child.holdsClient && !clientChild)
        {
            clientChild = i;
            share = 0;
            if (resetClient)
                result.clientDockingSize = 0;
        }
        result.shares.push_back(share);
        result.wanted += share;
    }
    result.available = static_cast<long long>(extent) - static_cast<long long>(children.size() - (children.empty() ? 0 : 1)) * gap;
    if (clientChild && result.wanted < result.available)
    {
        result.shares[*clientChild] = static_cast<int>(result.available - result.wanted);
        if (resetClient)
            result.clientDockingSize = result.shares[*clientChild];
        result.wanted = result.available;
    }
    if (result.available <= 0)
        return result;
    FixExtremes(children, result);
    return result;
}

std::vector<AxisSpan> PlaceChildSpans(const SplitShares& shares, int start, int end, int gap)
{
    std::vector<AxisSpan> spans;
    long long wanted = shares.wanted;
    long long available = std::max<long long>(shares.available, 0);
    long long position = start;
    for (size_t i = 0; i < shares.shares.size(); ++i)
    {
        const int share = shares.shares[i];
        long long extent = 0;
        if (share > 0)
        {
            extent = wanted != 0 ? share * available / wanted : 0;
            wanted -= share;
            available = std::max<long long>(available - extent, 0);
        }
        else
        {
            extent = -static_cast<long long>(share);
        }
        const bool last = i + 1 == shares.shares.size();
        const long long far = last ? end : std::min<long long>(position + extent, end);
        spans.push_back({static_cast<int>(position), static_cast<int>(std::max(far, position))});
        position = std::min<long long>(std::max(far, position) + gap, end);
    }
    return spans;
}

std::optional<AxisSpan> SplitterTrackLimits(AxisSpan both, const SplitChild& firstChild,
                                            const SplitChild& secondChild, int minimumExtent, int gap)
{
    const SplitChild first = Sanitized(firstChild);
    const SplitChild second = Sanitized(secondChild);
    const int width = both.end - both.start;
    AxisSpan limits{both.start + std::max(minimumExtent, first.minimum),
                    both.end - std::max(minimumExtent, second.minimum + gap)};
    if (first.maximum < width)
        limits.end = std::min(limits.end, both.start + first.maximum);
    if (second.maximum < width)
        limits.start = std::max(limits.start, both.end - second.maximum - gap);
    if (limits.start >= limits.end)
        return std::nullopt;
    return limits;
}

NeighbourSizes SizesAfterDrag(int firstSize, int secondSize, int gap, AxisSpan both, int barStart, bool rightToLeft)
{
    const long long width = static_cast<long long>(both.end) - both.start;
    if (width <= 0)
        return {firstSize, secondSize};
    const long long total = static_cast<long long>(firstSize) + secondSize + gap;
    const long long offset = static_cast<long long>(barStart) - both.start;
    long long first = static_cast<long long>(static_cast<double>(total) * static_cast<double>(offset) /
                                             static_cast<double>(width));
    if (rightToLeft)
        first = total - first - gap;
    return {static_cast<int>(first), static_cast<int>(total - first - gap)};
}

}  // namespace kit::docking
