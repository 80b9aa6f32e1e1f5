#include "ArchiveStream.h"

#include <cstring>

namespace kit {
namespace {

constexpr uint8_t kLength16 = 0xFF;      // an 8-bit length of 0xFF: 16 bits follow
constexpr uint16_t kUnicodeTag = 0xFFFE; // a 16-bit "length" that marks UTF-16 text
constexpr uint16_t kLength32 = 0xFFFF;   // a 16-bit length of 0xFFFF: 32 bits follow
constexpr uint16_t kCount32 = 0xFFFF;

} // namespace

uint8_t ArchiveReader::ReadU8()
{
    uint8_t value = 0;
    ReadExact(&value, 1);
    return value;
}

uint16_t ArchiveReader::ReadU16()
{
    uint8_t b[2];
    ReadExact(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t ArchiveReader::ReadU32()
{
    uint8_t b[4];
    ReadExact(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
}

uint64_t ArchiveReader::ReadU64()
{
    const uint64_t low = ReadU32();
    return low | (static_cast<uint64_t>(ReadU32()) << 32);
}

std::vector<uint8_t> ArchiveReader::ReadBytes(uint32_t size)
{
    Require(size);
    std::vector<uint8_t> bytes(size);
    if (size != 0) ReadExact(bytes.data(), size);
    return bytes;
}

void ArchiveWriter::WriteU16(uint16_t value)
{
    const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Write(b, 2);
}

void ArchiveWriter::WriteU32(uint32_t value)
{
    const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    Write(b, 4);
}

void ArchiveWriter::WriteU64(uint64_t value)
{
    WriteU32(static_cast<uint32_t>(value));
    WriteU32(static_cast<uint32_t>(value >> 32));
}

void MemoryArchiveReader::ReadExact(void* out, size_t size)
{
    if (size > Remaining()) throw ArchiveFormatError("read past the end of the data");
    if (size != 0) std::memcpy(out, bytes_.data() + position_, size);
    position_ += size;
}

void MemoryArchiveReader::Require(uint64_t size)
{
    if (size > Remaining()) throw ArchiveFormatError("length beyond the end of the data");
}

uint32_t MemoryArchiveReader::ReadCount()
{
    const uint16_t count = ReadU16();
    return count != kCount32 ? count : ReadU32();
}

std::u16string MemoryArchiveReader::ReadString()
{
    bool wide = false;
    uint32_t length = ReadU8();
    if (length == kLength16)
    {
        length = ReadU16();
        if (length == kUnicodeTag)
        {
            wide = true;
            length = ReadU8();
            if (length == kLength16) length = ReadU16();
        }
        if (length == kLength32) length = ReadU32();
    }
    const uint64_t bytes = static_cast<uint64_t>(length) * (wide ? 2 : 1);
    Require(bytes);
    std::u16string text(length, u'\0');
    for (char16_t& ch : text) ch = wide ? ReadU16() : ReadU8(); // narrow text taken as Latin-1
    return text;
}

void MemoryArchiveWriter::Write(const void* data, size_t size)
{
    const auto* first = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + size);
}

void MemoryArchiveWriter::WriteCount(uint32_t count)
{
    if (count < kCount32)
    {
        WriteU16(static_cast<uint16_t>(count));
    }
    else
    {
        WriteU16(kCount32);
        WriteU32(count);
    }
}

void MemoryArchiveWriter::WriteString(std::u16string_view text)
{
    const auto length = static_cast<uint32_t>(text.size());
    WriteU8(kLength16);
    WriteU16(kUnicodeTag);
    if (length < kLength16)
    {
        WriteU8(static_cast<uint8_t>(length));
    }
    else if (length < kUnicodeTag)
    {
        WriteU8(kLength16);
        WriteU16(static_cast<uint16_t>(length));
    }
    else
    {
        WriteU8(kLength16);
        WriteU16(kLength32);
        WriteU32(length);
    }
    for (char16_t ch : text) WriteU16(ch);
}

} // namespace kit
