#include "StoredBarLayout.h"

#include <algorithm>
#include <cstdint>

namespace kit::commandbars {

int ClampStoredCount(int count, int maximum)
{
    return std::clamp(count, 0, maximum);
}

int ClampStoredExtent(int extent, int fallback)
{
    return extent < 0 || extent > kMaxStoredExtent ? fallback : extent;
}

StoredLayoutScaler::StoredLayoutScaler(LayoutSize saved, LayoutSize current, LayoutSize icon)
    : m_saved(saved), m_current(current), m_largest{current.cx - icon.cx, current.cy - icon.cy}
{
    m_rescale = saved.cx > 0 && saved.cy > 0 && current.cx > 0 && current.cy > 0 &&
                (saved.cx != current.cx || saved.cy != current.cy);
}

LayoutPoint StoredLayoutScaler::Limit(LayoutPoint point) const
{
    return {std::min(point.x, m_largest.x), std::min(point.y, m_largest.y)};
}

LayoutPoint StoredLayoutScaler::ScalePoint(LayoutPoint point) const
{
    if (m_rescale)
    {
        // 64-bit products: a damaged position times a screen size overflows 32 bits.
        point.x = static_cast<int>(std::clamp<std::int64_t>(
            static_cast<std::int64_t>(point.x) * m_current.cx / m_saved.cx, INT32_MIN, INT32_MAX));
        point.y = static_cast<int>(std::clamp<std::int64_t>(
            static_cast<std::int64_t>(point.y) * m_current.cy / m_saved.cy, INT32_MIN, INT32_MAX));
    }
    return Limit(point);
}

LayoutRect StoredLayoutScaler::ScaleRect(LayoutRect rect) const
{
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    const LayoutPoint corner = ScalePoint({rect.left, rect.top});
    const auto far = [](int origin, std::int64_t extent) {
        return static_cast<int>(std::clamp<std::int64_t>(origin + extent, INT32_MIN, INT32_MAX));
    };
    return {corner.x, corner.y, far(corner.x, width), far(corner.y, height)};
}

std::vector<std::uint32_t> CleanDockEntries(std::span<const std::uint32_t> entries, std::set<std::uint32_t>& placed)
{
    std::vector<std::uint32_t> kept;
    for (std::uint32_t id : entries)
    {
        if (id == 0)
        {
            if (!kept.empty() && kept.back() == 0)
                continue;
        }
        else if (!placed.insert(id).second)
        {
            continue;
        }
        kept.push_back(id);
    }
    return kept;
}

LayoutRect KeepOnAMonitor(LayoutRect rect, std::span<const LayoutRect> monitors)
{
    if (monitors.empty())
        return rect;
    // A bar not yet sized counts as its corner pixel.
    const int right = std::max(rect.right, rect.left + 1);
    const int bottom = std::max(rect.bottom, rect.top + 1);
    for (const LayoutRect& monitor : monitors)
        if (rect.left < monitor.right && monitor.left < right && rect.top < monitor.bottom && monitor.top < bottom)
            return rect;
    const LayoutRect& primary = monitors.front();
    const int width = std::min(rect.Width(), primary.Width());
    const int height = std::min(rect.Height(), primary.Height());
    const int x = std::clamp(rect.left, primary.left, primary.right - std::max(width, 0));
    const int y = std::clamp(rect.top, primary.top, primary.bottom - std::max(height, 0));
    return {x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

}  // namespace kit::commandbars
