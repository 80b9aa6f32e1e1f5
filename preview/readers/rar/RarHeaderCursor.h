#pragma once
// A reader over the bytes of one archive header. Every read is checked against
// the end of the header; after the first read past it the cursor stays failed,
// so a parser can read a run of fields and test once.

#include <cstddef>
#include <cstdint>
#include <string>

namespace preview {

class RarHeaderCursor {
 public:
  RarHeaderCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Ok() const { return ok_; }
  size_t Position() const { return pos_; }
  size_t Remaining() const { return ok_ ? size_ - pos_ : 0; }

  uint8_t U8() { return static_cast<uint8_t>(Little(1)); }
  uint16_t U16() { return static_cast<uint16_t>(Little(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Little(4)); }
  uint64_t U64() { return Little(8); }

  // A RAR 5 variable-length integer: 7 bits a byte, low first, at most 10 bytes.
  uint64_t Vint() {
    uint64_t value = 0;
    for (unsigned shift = 0; shift < 70; shift += 7) {
      if (!Need(1)) return 0;
      const uint8_t byte = data_[pos_++];
      if (shift == 63 && (byte & 0x7E) != 0) return Fail();
      value |= static_cast<uint64_t>(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) return value;
    }
    return Fail();
  }

  std::string Bytes(uint64_t count) {
    if (!Need(count)) return {};
    std::string text(reinterpret_cast<const char*>(data_ + pos_), static_cast<size_t>(count));
    pos_ += static_cast<size_t>(count);
    return text;
  }

  void Skip(uint64_t count) {
    if (Need(count)) pos_ += static_cast<size_t>(count);
  }

 private:
  bool Need(uint64_t count) {
    if (!ok_ || count > size_ - pos_) ok_ = false;
    return ok_;
  }
  uint64_t Fail() {
    ok_ = false;
    return 0;
  }
  uint64_t Little(size_t count) {
    if (!Need(count)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i) value |= static_cast<uint64_t>(data_[pos_ + i]) << (8 * i);
    pos_ += count;
    return value;
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace preview
