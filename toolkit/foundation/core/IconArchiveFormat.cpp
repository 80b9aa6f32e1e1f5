#include "IconArchiveFormat.h"

#include <algorithm>

namespace kit {
namespace {

constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0; // BI_RGB
constexpr uint32_t kBitFields = 3;    // BI_BITFIELDS

uint32_t Le32(std::span<const uint8_t> b, size_t at)
{
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(std::span<const uint8_t> b, size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

} // namespace

std::optional<DibShape> ReadDibShape(std::span<const uint8_t> header)
{
    if (header.size() < kInfoHeaderBytes || Le32(header, 0) != kInfoHeaderBytes) return std::nullopt;
    DibShape shape;
    shape.width = static_cast<int32_t>(Le32(header, 4));
    shape.height = static_cast<int32_t>(Le32(header, 8));
    shape.planes = Le16(header, 12);
    shape.bitCount = Le16(header, 14);
    shape.compression = Le32(header, 16);
    const int64_t rows = shape.height < 0 ? -static_cast<int64_t>(shape.height) : shape.height;
    if (shape.width < 1 || shape.width > kMaxStoredBitmapSide || rows < 1 || rows > kMaxStoredBitmapSide)
    {
        return std::nullopt;
    }
    if (shape.planes != 1) return std::nullopt;
    const bool bitsKnown = shape.bitCount == 1 || shape.bitCount == 16 || shape.bitCount == 24 || shape.bitCount == 32;
    const bool compressionKnown = shape.compression == kUncompressed ||
                                  (shape.compression == kBitFields && (shape.bitCount == 16 || shape.bitCount == 32));
    if (!bitsKnown || !compressionKnown) return std::nullopt;
    return shape;
}

uint64_t DibPixelBytes(const DibShape& shape)
{
    const uint64_t stride = ((static_cast<uint64_t>(shape.width) * shape.bitCount + 31) / 32) * 4;
    const uint64_t rows = shape.height < 0 ? -static_cast<int64_t>(shape.height) : shape.height;
    return stride * rows;
}

std::optional<BitmapRecord> ReadBitmapRecord(ArchiveReader& reader)
{
    const uint32_t headerLength = reader.ReadCount();
    if (headerLength == 0) return std::nullopt;
    if (headerLength != kBitmapRecordHeaderBytes) throw ArchiveFormatError("bitmap header length is not 52");
    BitmapRecord record;
    reader.ReadExact(record.header.data(), record.header.size());
    const uint32_t pixelLength = reader.ReadCount();
    reader.Require(pixelLength);
    const std::optional<DibShape> shape = ReadDibShape(record.header);
    // Only the bytes that the picture of the header holds are kept; the rest are passed over.
    const uint64_t keep = shape ? std::min<uint64_t>(pixelLength, DibPixelBytes(*shape)) : 0;
    record.pixels.resize(static_cast<size_t>(keep));
    if (keep != 0) reader.ReadExact(record.pixels.data(), record.pixels.size());
    std::array<uint8_t, 4096> discard;
    for (uint64_t left = pixelLength - keep; left != 0;)
    {
        const auto step = static_cast<size_t>(std::min<uint64_t>(left, discard.size()));
        reader.ReadExact(discard.data(), step);
        left -= step;
    }
    if (!shape) return std::nullopt;
    record.shape = *shape;
    return record;
}

ImageRecord ReadImageRecord(ArchiveReader& reader)
{
    ImageRecord image;
    image.colour = ReadBitmapRecord(reader);
    image.mask = ReadBitmapRecord(reader);
    return image;
}

CommandIconRecord ReadCommandIconRecord(ArchiveReader& reader)
{
    CommandIconRecord record;
    record.height = reader.ReadI32();
    record.schema = reader.ReadU32();
    record.normal = ReadImageRecord(reader);
    record.disabled = ReadImageRecord(reader);
    record.hot = ReadImageRecord(reader);
    if (record.schema > 7) record.pressed = ReadImageRecord(reader);
    return record;
}

void WriteBitmapRecord(ArchiveWriter& writer, const std::optional<BitmapRecord>& record)
{
    if (!record)
    {
        writer.WriteCount(0);
        return;
    }
    writer.WriteCount(kBitmapRecordHeaderBytes);
    writer.Write(record->header.data(), record->header.size());
    writer.WriteCount(static_cast<uint32_t>(record->pixels.size()));
    if (!record->pixels.empty()) writer.Write(record->pixels.data(), record->pixels.size());
}

void WriteImageRecord(ArchiveWriter& writer, const ImageRecord& image)
{
    WriteBitmapRecord(writer, image.colour);
    // An alpha picture, or an empty image, ends its pair with a single count 0.
    WriteBitmapRecord(writer, image.colour ? image.mask : std::nullopt);
}

void WriteCommandIconRecord(ArchiveWriter& writer, const CommandIconRecord& record)
{
    writer.WriteI32(record.height);
    writer.WriteU32(record.schema);
    WriteImageRecord(writer, record.normal);
    WriteImageRecord(writer, record.disabled);
    WriteImageRecord(writer, record.hot);
    if (record.schema > 7) WriteImageRecord(writer, record.pressed);
}

} // namespace kit
