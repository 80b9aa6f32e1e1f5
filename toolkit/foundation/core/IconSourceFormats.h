// The picture sources that command icons are loaded from, read from their bytes
// without GDI: bitmap files and resources of 32 bits, icon files and icon
// resources (group directories and single images), and toolbar resources.
// Every count, offset and size is checked against the bytes before it is used.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "IconArchiveFormat.h"

namespace kit {

// A 32-bit picture ready for a DIB section: its 40-byte header (height already
// halved for icon images, image size set) and the colour pixels.
struct AlphaPixels
{
    std::array<uint8_t, 40> header{};
    DibShape shape;
    std::vector<uint8_t> pixels; // width × height × 4
};

// The 14-byte file header and the 40-byte info header of a bitmap file are there
// and the bit count is 32.
bool IsAlphaBitmapFileStart(std::span<const uint8_t> bytes);

// An RT_BITMAP resource (header then pixels) of 32 bits holding at least
// width × height × 4 + 40 bytes.
std::optional<AlphaPixels> DecodeAlphaBitmapResource(std::span<const uint8_t> resource);
// Only whether the resource header says 32 bits.
bool IsAlphaBitmapHeader(std::span<const uint8_t> resource);

// One icon image (an RT_ICON resource or an image inside an icon file) of 32 bits:
// the stored height counts colour and mask, so the picture has half of it.
std::optional<AlphaPixels> DecodeAlphaIconImage(std::span<const uint8_t> image);
// The bit count that an icon image's own header gives (0 when it has none).
uint16_t IconImageBitCount(std::span<const uint8_t> image);

// The first image of an icon file, in file order, with 32 bits in its directory
// entry and the given width byte (any width for 0) that decodes; a damaged entry
// is passed over.
std::optional<AlphaPixels> FindAlphaIconInFile(std::span<const uint8_t> file, int width);

struct GroupIconEntry
{
    uint8_t width = 0;
    uint8_t height = 0;
    uint16_t bitCount = 0;
    uint16_t iconId = 0;
};
// The entries of an RT_GROUP_ICON directory (6-byte header, 14-byte entries);
// entries beyond the bytes are not listed.
std::vector<GroupIconEntry> ReadGroupIconDirectory(std::span<const uint8_t> resource);

struct ToolBarResource
{
    uint16_t version = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t itemCount = 0;
    std::vector<uint32_t> ids; // the non-zero command ids
};
// RT_TOOLBAR: version, width, height, item count, then the ids (16 bits each).
// Nothing when the items go beyond the bytes.
std::optional<ToolBarResource> ReadToolBarResource(std::span<const uint8_t> resource);

} // namespace kit
