// Byte streams in the framework archive's layouts, kept apart from the framework
// so that the readers of stored settings and icons also run natively (tests,
// fuzzing). On Windows the same readers run over a CArchive through an adapter.
//
// Numbers are little-endian. A count is a 16-bit value, or 0xFFFF followed by a
// 32-bit value from 0xFFFF on. A string is tagged as UTF-16 (0xFF 0xFFFE) and
// carries its length as 8 bits, or 0xFF and 16 bits, or 0xFF 0xFFFF and 32 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kit {

// Data that cannot be what it claims to be: cut short, a length beyond the data,
// a header of an impossible picture.
class ArchiveFormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class ArchiveReader
{
public:
    virtual ~ArchiveReader() = default;
    // Exactly `size` bytes, or throws.
    virtual void ReadExact(void* out, size_t size) = 0;
    // Throws unless `size` more bytes can be read; called before a length taken
    // from the data sizes an allocation.
    virtual void Require(uint64_t size) = 0;
    virtual uint32_t ReadCount() = 0;
    virtual std::u16string ReadString() = 0;

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    uint64_t ReadU64();
    // `size` bytes into a new buffer, after checking that they are there.
    std::vector<uint8_t> ReadBytes(uint32_t size);
};

class ArchiveWriter
{
public:
    virtual ~ArchiveWriter() = default;
    virtual void Write(const void* data, size_t size) = 0;
    virtual void WriteCount(uint32_t count) = 0;
    virtual void WriteString(std::u16string_view text) = 0;

    void WriteU8(uint8_t value) { Write(&value, 1); }
    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    void WriteI32(int32_t value) { WriteU32(static_cast<uint32_t>(value)); }
    void WriteU64(uint64_t value);
};

// An archive over bytes in memory, with the count and string layouts above.
class MemoryArchiveReader : public ArchiveReader
{
public:
    explicit MemoryArchiveReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    void ReadExact(void* out, size_t size) override;
    void Require(uint64_t size) override;
    uint32_t ReadCount() override;
    std::u16string ReadString() override;
    size_t Remaining() const { return bytes_.size() - position_; }

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

class MemoryArchiveWriter : public ArchiveWriter
{
public:
    void Write(const void* data, size_t size) override;
    void WriteCount(uint32_t count) override;
    void WriteString(std::u16string_view text) override;
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace kit
