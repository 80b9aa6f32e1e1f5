#pragma once
// A bounds-checked little-endian view over a byte span. Every parser of on-disk
// structures (boot sectors, FAT directories, MFT records, runlists, snapshots, the
// signature database) reads through one of these: a read that falls outside the span
// gives 0 and sets a sticky failure flag, so a parser can read a group of fields
// and test once whether all of them were there.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace engine {

class LeBytes {
 public:
  LeBytes() = default;
  explicit LeBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  std::span<const uint8_t> bytes() const { return bytes_; }
  bool ok() const { return !failed_; }

  // True when [offset, offset + length) lies inside the span (64-bit safe).
  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  uint8_t U8(uint64_t offset) { return static_cast<uint8_t>(Unsigned(offset, 1)); }
  uint16_t U16(uint64_t offset) { return static_cast<uint16_t>(Unsigned(offset, 2)); }
  uint32_t U32(uint64_t offset) { return static_cast<uint32_t>(Unsigned(offset, 4)); }
  uint64_t U64(uint64_t offset) { return Unsigned(offset, 8); }

  // An unsigned little-endian value of 0 to 8 bytes.
  uint64_t Unsigned(uint64_t offset, unsigned width) {
    if (width > 8 || !Has(offset, width)) {
      failed_ = true;
      return 0;
    }
    uint64_t value = 0;
    for (unsigned i = 0; i < width; ++i) value |= static_cast<uint64_t>(bytes_[offset + i]) << (8 * i);
    return value;
  }

  // A two's-complement little-endian value of 1 to 8 bytes, sign-extended.
  int64_t Signed(uint64_t offset, unsigned width) {
    if (width == 0 || width > 8) {
      failed_ = true;
      return 0;
    }
    const uint64_t raw = Unsigned(offset, width);
    if (width == 8) return static_cast<int64_t>(raw);
    const uint64_t signBit = uint64_t{1} << (8 * width - 1);
    return static_cast<int64_t>((raw ^ signBit) - signBit);
  }

  // The bytes [offset, offset + length); an empty span (and the flag) when outside.
  std::span<const uint8_t> Span(uint64_t offset, uint64_t length) {
    if (!Has(offset, length)) {
      failed_ = true;
      return {};
    }
    return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }

 private:
  std::span<const uint8_t> bytes_;
  bool failed_ = false;
};

// True when the bytes at `offset` are the characters of `text`; false when they
// would run past the end.
inline bool BytesAre(std::span<const uint8_t> bytes, uint64_t offset, std::string_view text) {
  if (offset > bytes.size() || text.size() > bytes.size() - offset) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (bytes[offset + i] != static_cast<uint8_t>(text[i])) return false;
  }
  return true;
}

// 0x55 0xAA at 510-511: the mark of a boot sector and of a partition table.
inline bool HasBootMark(std::span<const uint8_t> sector) {
  return sector.size() >= 512 && sector[510] == 0x55 && sector[511] == 0xAA;
}

}  // namespace engine
