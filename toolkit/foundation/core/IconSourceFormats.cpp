#include "IconSourceFormats.h"

#include <algorithm>
#include <cstring>

namespace kit {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kIconDirHeaderBytes = 6;
constexpr size_t kIconFileEntryBytes = 16;
constexpr size_t kGroupEntryBytes = 14;

uint16_t Le16(std::span<const uint8_t> b, size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t Le32(std::span<const uint8_t> b, size_t at)
{
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
void PutLe32(uint8_t* b, uint32_t value)
{
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 32-bit picture of `rows` rows from a header and the pixels that follow it.
std::optional<AlphaPixels> TakeAlphaPixels(std::span<const uint8_t> bytes, int32_t rows)
{
    if (bytes.size() < kInfoHeaderBytes) return std::nullopt;
    std::optional<DibShape> shape = ReadDibShape(bytes);
    if (!shape || shape->bitCount != 32 || shape->compression != 0 || rows < 1) return std::nullopt;
    const uint64_t pixelBytes = static_cast<uint64_t>(shape->width) * static_cast<uint64_t>(rows) * 4;
    if (pixelBytes > bytes.size() - kInfoHeaderBytes) return std::nullopt;
    AlphaPixels picture;
    std::copy_n(bytes.begin(), kInfoHeaderBytes, picture.header.begin());
    shape->height = shape->height < 0 ? -rows : rows;
    picture.shape = *shape;
    PutLe32(&picture.header[8], static_cast<uint32_t>(shape->height));
    PutLe32(&picture.header[20], static_cast<uint32_t>(pixelBytes)); // image size
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(kInfoHeaderBytes);
    picture.pixels.assign(first, first + static_cast<std::ptrdiff_t>(pixelBytes));
    return picture;
}

} // namespace

bool IsAlphaBitmapFileStart(std::span<const uint8_t> bytes)
{
    return bytes.size() >= kFileHeaderBytes + kInfoHeaderBytes && Le16(bytes, kFileHeaderBytes + 14) == 32;
}

bool IsAlphaBitmapHeader(std::span<const uint8_t> resource)
{
    return resource.size() >= kInfoHeaderBytes && Le16(resource, 14) == 32;
}

std::optional<AlphaPixels> DecodeAlphaBitmapResource(std::span<const uint8_t> resource)
{
    if (!IsAlphaBitmapHeader(resource)) return std::nullopt;
    const auto height = static_cast<int32_t>(Le32(resource, 8));
    if (height == INT32_MIN) return std::nullopt;
    return TakeAlphaPixels(resource, height < 0 ? -height : height);
}

uint16_t IconImageBitCount(std::span<const uint8_t> image)
{
    return image.size() >= kInfoHeaderBytes ? Le16(image, 14) : 0;
}

std::optional<AlphaPixels> DecodeAlphaIconImage(std::span<const uint8_t> image)
{
    if (IconImageBitCount(image) != 32) return std::nullopt;
    const auto storedHeight = static_cast<int32_t>(Le32(image, 8));
    if (storedHeight < 2) return std::nullopt;
    return TakeAlphaPixels(image, storedHeight / 2);
}

std::optional<AlphaPixels> FindAlphaIconInFile(std::span<const uint8_t> file, int width)
{
    if (file.size() < kIconDirHeaderBytes) return std::nullopt;
    const size_t count = Le16(file, 4);
    for (size_t i = 0; i < count; ++i)
    {
        const size_t at = kIconDirHeaderBytes + i * kIconFileEntryBytes;
        if (at + kIconFileEntryBytes > file.size()) break;
        if (Le16(file, at + 6) != 32 || (width != 0 && file[at] != static_cast<uint8_t>(width))) continue;
        const uint64_t size = Le32(file, at + 8), offset = Le32(file, at + 12);
        if (offset > file.size() || size > file.size() - offset) continue;
        if (auto picture = DecodeAlphaIconImage(file.subspan(static_cast<size_t>(offset), static_cast<size_t>(size))))
        {
            return picture;
        }
    }
    return std::nullopt;
}

std::vector<GroupIconEntry> ReadGroupIconDirectory(std::span<const uint8_t> resource)
{
    std::vector<GroupIconEntry> entries;
    if (resource.size() < kIconDirHeaderBytes) return entries;
    const size_t count = Le16(resource, 4);
    for (size_t i = 0; i < count; ++i)
    {
        const size_t at = kIconDirHeaderBytes + i * kGroupEntryBytes;
        if (at + kGroupEntryBytes > resource.size()) break;
        entries.push_back({resource[at], resource[at + 1], Le16(resource, at + 6), Le16(resource, at + 12)});
    }
    return entries;
}

std::optional<ToolBarResource> ReadToolBarResource(std::span<const uint8_t> resource)
{
    if (resource.size() < 8) return std::nullopt;
    ToolBarResource toolbar{Le16(resource, 0), Le16(resource, 2), Le16(resource, 4), Le16(resource, 6), {}};
    if (toolbar.itemCount > (resource.size() - 8) / 2) return std::nullopt;
    for (size_t i = 0; i < toolbar.itemCount; ++i)
    {
        const uint16_t id = Le16(resource, 8 + 2 * i);
        if (id != 0) toolbar.ids.push_back(id);
    }
    return toolbar;
}

} // namespace kit
