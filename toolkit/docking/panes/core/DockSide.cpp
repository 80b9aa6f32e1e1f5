#include "DockSide.h"

namespace kit::docking {

std::optional<int> DockSideNearPoint(const KitRect& rect, int x, int y, bool inside, bool canFloat)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return std::nullopt;
    double limit = kDockDistance;
    double horizontalScale = 1.0;
    if (inside && !canFloat)
    {
        limit = 32000;
        if (rect.Width() > 1 && rect.Height() > 1)
            horizontalScale = static_cast<double>(rect.Height()) / rect.Width();
    }
    const bool inRect = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
    if (inside && !inRect)
        return std::nullopt;
    if (!inside)
    {
        const bool inBand = x >= rect.left - kDockDistance && x < rect.right + kDockDistance &&
                            y >= rect.top - kDockDistance && y < rect.bottom + kDockDistance;
        if (!inBand || inRect)
            return std::nullopt;
    }
    // Distances to the edges, positive on the side the point must be on.
    const double sign = inside ? 1.0 : -1.0;
    const struct
    {
        int side;
        double distance;
    } edges[] = {
        {kSideTop, sign * (y - rect.top)},
        {kSideBottom, sign * (rect.bottom - y)},
        {kSideLeft, sign * (x - rect.left) * horizontalScale},
        {kSideRight, sign * (rect.right - x) * horizontalScale},
    };
    std::optional<int> best;
    double bestDistance = limit;
    for (const auto& edge : edges)
    {
        if (edge.distance >= 0 && edge.distance < bestDistance)
        {
            best = edge.side;
            bestDistance = edge.distance;
        }
    }
    return best;
}

}  // namespace kit::docking
