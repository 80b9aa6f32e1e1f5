// A frame's placement as the profile keeps it (48 bytes, little-endian: a
// reserved word, then the fields of WINDOWPLACEMENT) and the rules that make a
// stored placement safe to restore. Kept free of <windows.h> so that it is
// checked natively; the numbers are the Win32 ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kit {

struct PlacementRect
{
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const PlacementRect&) const = default;
};

struct PlacementFields
{
    std::uint32_t length = 44;
    std::uint32_t flags = 0;
    std::uint32_t showCommand = 5; // SW_SHOW
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    PlacementRect normal;
};

constexpr std::size_t kStoredPlacementSize = 48;
constexpr std::uint32_t kPlacementLength = 44;

// The show commands the stored form distinguishes.
constexpr std::uint32_t kShowNormal = 1;       // SW_SHOWNORMAL
constexpr std::uint32_t kShowMinimized = 2;    // SW_SHOWMINIMIZED
constexpr std::uint32_t kShowMaximized = 3;    // SW_SHOWMAXIMIZED
constexpr std::uint32_t kShowMinNoActive = 7;  // SW_SHOWMINNOACTIVE
constexpr std::uint32_t kMinimize = 6;         // SW_MINIMIZE
constexpr std::uint32_t kForceMinimize = 11;   // SW_FORCEMINIMIZE

// The stored value; the show command is already the one to store.
std::array<std::uint8_t, kStoredPlacementSize> EncodePlacement(const PlacementFields& fields);
// Nothing unless exactly 48 bytes; the length comes back as 44 whatever was stored.
std::optional<PlacementFields> DecodePlacement(const std::uint8_t* data, std::size_t size);

// What is stored for a window's show command: maximised stays maximised,
// everything else (minimised included) becomes normal.
std::uint32_t ShowCommandToStore(std::uint32_t showCommand);

// Makes a loaded placement safe to restore on the given work areas (in the
// coordinates of the normal rectangle). Refuses (nothing) a normal rectangle
// of zero or negative size, or when there is no work area. A minimised show
// command becomes normal and an unknown one too. The rectangle goes to the
// work area it overlaps most (the first when it overlaps none), is shrunk to
// fit it and moved inside it. The minimised and maximised positions are
// dropped (the system places those) and the flags cleared.
std::optional<PlacementFields> ClampPlacement(const PlacementFields& loaded,
                                              const std::vector<PlacementRect>& workAreas);

} // namespace kit
