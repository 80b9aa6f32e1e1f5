#include "drives/BootSectorLength.h"

#include <cstring>

#include "LeBytes.h"

namespace engine {
namespace {

bool BootTextAt(std::span<const uint8_t> bytes, size_t offset, const char* text) {
  const size_t length = std::strlen(text);
  return offset + length <= bytes.size() && std::memcmp(bytes.data() + offset, text, length) == 0;
}

bool SaneSectorSize(uint32_t bytesPerSector) {
  return bytesPerSector >= 512 && bytesPerSector <= 4096 && (bytesPerSector & (bytesPerSector - 1)) == 0;
}

std::optional<uint64_t> TimesSectorSize(uint64_t sectors, uint32_t bytesPerSector) {
  if (sectors == 0 || sectors > UINT64_MAX / bytesPerSector) return std::nullopt;
  return sectors * bytesPerSector;
}

}  // namespace

std::optional<uint64_t> VolumeBytesFromBootSector(std::span<const uint8_t> bootSector) {
  LeBytes bytes(bootSector);
  const uint32_t bytesPerSector = bytes.U16(11);
  if (!bytes.ok() || !SaneSectorSize(bytesPerSector)) return std::nullopt;
  if (BootTextAt(bootSector, 3, "NTFS    ")) {
    const uint64_t counted = bytes.U64(0x28);
    if (!bytes.ok() || counted == UINT64_MAX) return std::nullopt;
    return TimesSectorSize(counted + 1, bytesPerSector);
  }
  if (BootTextAt(bootSector, 54, "FAT") || BootTextAt(bootSector, 82, "FAT")) {
    const uint64_t small = bytes.U16(0x13);
    const uint64_t large = bytes.U32(0x20);
    if (!bytes.ok()) return std::nullopt;
    return TimesSectorSize(small != 0 ? small : large, bytesPerSector);
  }
  return std::nullopt;
}

}  // namespace engine
