#include "PlacementRecord.h"

#include <algorithm>

namespace kit {
namespace {

void PutWord(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetWord(const std::uint8_t* at)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}

std::int32_t GetInt(const std::uint8_t* at) { return static_cast<std::int32_t>(GetWord(at)); }

long long OverlapArea(const PlacementRect& a, const PlacementRect& b)
{
    const long long w = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const long long h = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return (w > 0 && h > 0) ? w * h : 0;
}

// Moves [lo, hi) into [areaLo, areaHi), shrinking it first when it is longer.
void FitSpan(std::int32_t& lo, std::int32_t& hi, std::int32_t areaLo, std::int32_t areaHi)
{
    const long long length = std::min<long long>(static_cast<long long>(hi) - lo,
                                                 static_cast<long long>(areaHi) - areaLo);
    long long start = std::clamp<long long>(lo, areaLo, static_cast<long long>(areaHi) - length);
    lo = static_cast<std::int32_t>(start);
    hi = static_cast<std::int32_t>(start + length);
}

} // namespace

std::array<std::uint8_t, kStoredPlacementSize> EncodePlacement(const PlacementFields& f)
{
    std::array<std::uint8_t, kStoredPlacementSize> out{};
    const std::uint32_t words[11] = {f.length,
                                     f.flags,
                                     f.showCommand,
                                     static_cast<std::uint32_t>(f.minX),
                                     static_cast<std::uint32_t>(f.minY),
                                     static_cast<std::uint32_t>(f.maxX),
                                     static_cast<std::uint32_t>(f.maxY),
                                     static_cast<std::uint32_t>(f.normal.left),
                                     static_cast<std::uint32_t>(f.normal.top),
                                     static_cast<std::uint32_t>(f.normal.right),
                                     static_cast<std::uint32_t>(f.normal.bottom)};
    PutWord(out.data(), 0);
    for (int i = 0; i < 11; ++i)
        PutWord(out.data() + 4 + 4 * i, words[i]);
    return out;
}

std::optional<PlacementFields> DecodePlacement(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr || size != kStoredPlacementSize)
        return std::nullopt;
    PlacementFields f;
    f.length = kPlacementLength;
    f.flags = GetWord(data + 8);
    f.showCommand = GetWord(data + 12);
    f.minX = GetInt(data + 16);
    f.minY = GetInt(data + 20);
    f.maxX = GetInt(data + 24);
    f.maxY = GetInt(data + 28);
    f.normal = {GetInt(data + 32), GetInt(data + 36), GetInt(data + 40), GetInt(data + 44)};
    return f;
}

std::uint32_t ShowCommandToStore(std::uint32_t showCommand)
{
    return showCommand == kShowMaximized ? kShowMaximized : kShowNormal;
}

std::optional<PlacementFields> ClampPlacement(const PlacementFields& loaded,
                                              const std::vector<PlacementRect>& workAreas)
{
    // Widths are taken in 64 bits: a stored rectangle may span the whole range.
    const long long width = static_cast<long long>(loaded.normal.right) - loaded.normal.left;
    const long long height = static_cast<long long>(loaded.normal.bottom) - loaded.normal.top;
    if (width <= 0 || height <= 0 || workAreas.empty())
        return std::nullopt;

    const PlacementRect* best = nullptr;
    long long bestOverlap = -1;
    for (const PlacementRect& area : workAreas)
    {
        if (area.Width() <= 0 || area.Height() <= 0)
            continue;
        const long long overlap = OverlapArea(loaded.normal, area);
        if (overlap > bestOverlap)
        {
            bestOverlap = overlap;
            best = &area;
        }
    }
    if (best == nullptr)
        return std::nullopt;

    PlacementFields safe;
    safe.length = kPlacementLength;
    safe.showCommand = loaded.showCommand == kShowMaximized ? kShowMaximized : kShowNormal;
    safe.minX = safe.minY = safe.maxX = safe.maxY = -1;
    safe.normal = loaded.normal;
    FitSpan(safe.normal.left, safe.normal.right, best->left, best->right);
    FitSpan(safe.normal.top, safe.normal.bottom, best->top, best->bottom);
    return safe;
}

} // namespace kit
