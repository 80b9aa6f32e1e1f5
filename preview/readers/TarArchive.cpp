#include "TarArchive.h"

namespace preview {

namespace {
constexpr size_t kNameWidth = 100, kSizeOffset = 124, kTimeOffset = 136, kChecksumOffset = 148,
                 kChecksumWidth = 8, kTypeOffset = 156;
}

uint64_t ParseOctal(const uint8_t* field, size_t width) {
  size_t i = 0;
  while (i < width && (field[i] == ' ' || field[i] == '\t' || field[i] == '\n' || field[i] == '\r')) ++i;
  uint64_t value = 0;
  for (; i < width && field[i] >= '0' && field[i] <= '7'; ++i) {
    if (value > (UINT64_MAX >> 3)) return UINT64_MAX;  // never wraps to a small size
    value = (value << 3) | static_cast<uint64_t>(field[i] - '0');
  }
  return value;
}

bool IsValidTarHeader(std::span<const uint8_t> content, size_t offset) {
  if (offset > content.size() || content.size() - offset < kTarBlock) return false;
  const uint8_t* header = content.data() + offset;
  uint64_t sum = 0;
  for (size_t i = 0; i < kTarBlock; ++i) {
    sum += (i >= kChecksumOffset && i < kChecksumOffset + kChecksumWidth) ? 32u : header[i];
  }
  return sum == ParseOctal(header + kChecksumOffset, kChecksumWidth);
}

bool ReadTarMember(std::span<const uint8_t> content, size_t offset, TarMember& member) {
  if (!IsValidTarHeader(content, offset)) return false;
  const uint8_t* header = content.data() + offset;
  member.headerOffset = offset;
  member.dataOffset = offset + kTarBlock;
  member.size = ParseOctal(header + kSizeOffset, 12);
  const uint64_t held = content.size() - member.dataOffset;
  member.available = member.size < held ? member.size : held;
  member.type = header[kTypeOffset];
  size_t nameLength = 0;
  while (nameLength < kNameWidth && header[nameLength] != 0) ++nameLength;
  member.name.assign(reinterpret_cast<const char*>(header), nameLength);
  member.modificationTime = static_cast<uint32_t>(ParseOctal(header + kTimeOffset, 12));
  return true;
}

}  // namespace preview
