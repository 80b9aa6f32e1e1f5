// The stored form of a command icon (its archive bytes, the "Data" of a stored
// icon set and the toolbar-image clipboard data), read and written without GDI.
//
//   height (32-bit), schema (32-bit, 16 when written), then the images normal,
//   disabled, hot and, for a schema above 7, pressed.
//   An image is two bitmap records, colour (or alpha) then mask. A record is a
//   count: 0 for no bitmap, else 52 followed by the 52-byte BITMAPINFO (40-byte
//   header, 12 bytes of colour masks or palette), a count of pixel bytes and the
//   pixels as GetDIBits gives them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "ArchiveStream.h"

namespace kit {

constexpr uint32_t kBitmapRecordHeaderBytes = 52;
constexpr uint32_t kCommandIconSchema = 16;
constexpr int32_t kMaxStoredBitmapSide = 4096;

// The fields of a 40-byte BITMAPINFOHEADER that decide how many bytes its pixels take.
struct DibShape
{
    int32_t width = 0;
    int32_t height = 0; // negative for top-down rows
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
};

// The header read from little-endian bytes (at least 40), or nothing when it is not
// a header this program makes or draws: header size 40, one plane, 1, 24 or 32 bits
// (16 and 32 also with bit-field masks), uncompressed, sides 1 to 4096.
std::optional<DibShape> ReadDibShape(std::span<const uint8_t> header);
// Bytes of the pixels of that shape: rows padded to four bytes.
uint64_t DibPixelBytes(const DibShape& shape);

struct BitmapRecord
{
    std::array<uint8_t, kBitmapRecordHeaderBytes> header{};
    DibShape shape;
    std::vector<uint8_t> pixels; // at most DibPixelBytes(shape); bytes beyond are dropped
};

struct ImageRecord
{
    std::optional<BitmapRecord> colour;
    std::optional<BitmapRecord> mask;
};

struct CommandIconRecord
{
    int32_t height = 15;
    uint32_t schema = kCommandIconSchema;
    ImageRecord normal, disabled, hot, pressed;
};

// Throw ArchiveFormatError (or the adapter's own exception) on data that is cut
// short or whose header length is neither 0 nor 52. A record with a header that
// is not one of ours is consumed and read as no bitmap.
std::optional<BitmapRecord> ReadBitmapRecord(ArchiveReader& reader);
ImageRecord ReadImageRecord(ArchiveReader& reader);
CommandIconRecord ReadCommandIconRecord(ArchiveReader& reader);

void WriteBitmapRecord(ArchiveWriter& writer, const std::optional<BitmapRecord>& record);
void WriteImageRecord(ArchiveWriter& writer, const ImageRecord& image);
void WriteCommandIconRecord(ArchiveWriter& writer, const CommandIconRecord& record);

} // namespace kit
