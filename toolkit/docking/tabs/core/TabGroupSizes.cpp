#include "TabGroupSizes.h"

#include <algorithm>
#include <cmath>

namespace kit::tabs {

GroupPairSizes SplitGroupSize(double size, double splitterWidth)
{
    const double newSize = (size - splitterWidth) * 0.5;
    return {size - newSize - splitterWidth, newSize};
}

GroupPairSizes ResizeGroupPair(double sizeA, double sizeB, double splitterWidth, int splitterPos, int limitsStart,
                               int limitsLength, bool rightToLeft)
{
    if (limitsLength <= 0)
        return {sizeA, sizeB};
    const double total = splitterWidth + sizeA + sizeB;
    double a = total * static_cast<double>(splitterPos - limitsStart) / static_cast<double>(limitsLength);
    if (rightToLeft)
        a = total - a - splitterWidth;
    a = std::clamp(a, 0.0, std::max(0.0, total - splitterWidth));
    return {a, total - a - splitterWidth};
}

std::vector<int> GroupExtents(const std::vector<double>& sizes, int available, int splitterWidth)
{
    std::vector<int> extents(sizes.size(), 0);
    if (sizes.empty())
        return extents;
    const long long splitters = static_cast<long long>(std::max(splitterWidth, 0)) * (sizes.size() - 1);
    const long long space = std::max(0LL, static_cast<long long>(available) - splitters);
    double sum = 0;
    for (double size : sizes)
        if (std::isfinite(size) && size > 0)
            sum += size;
    // Cumulative rounding: every extent ends where its share of the whole
    // ends, so the extents add up to the space exactly.
    double before = 0;
    long long placed = 0;
    for (size_t i = 0; i < sizes.size(); ++i)
    {
        const double share = sum > 0 && std::isfinite(sum)
                                 ? (std::isfinite(sizes[i]) && sizes[i] > 0 ? sizes[i] : 0.0) / sum
                                 : 1.0 / static_cast<double>(sizes.size());
        before += share;
        const long long end = i + 1 == sizes.size() ? space : std::llround(before * static_cast<double>(space));
        const long long clamped = std::clamp(end, placed, space);
        extents[i] = static_cast<int>(clamped - placed);
        placed = clamped;
    }
    return extents;
}

} // namespace kit::tabs
