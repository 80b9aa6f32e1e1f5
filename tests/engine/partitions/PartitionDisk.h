#pragma once
// Small in-memory disks for the partition tests: boot records and boot sectors
// written field by field at their published offsets.

#include <cstdint>
#include <cstring>
#include <vector>

#include "EngineRecords.h"

namespace partitiontest {

class Disk {
 public:
  explicit Disk(uint32_t sectors) : bytes_(static_cast<size_t>(sectors) * engine::kSectorSize, 0) {}

  // Entry `slot` of the boot record at `record`, with the 0x55 0xAA signature.
  Disk& Entry(uint32_t record, int slot, uint8_t type, uint32_t first, uint32_t count) {
    uint8_t* at = Sector(record) + 446 + 16 * slot;
    at[4] = type;
    Put32(at + 8, first);
    Put32(at + 12, count);
    return Signature(record);
  }
  Disk& Signature(uint32_t sector, uint8_t first = 0x55, uint8_t second = 0xAA) {
    Sector(sector)[510] = first;
    Sector(sector)[511] = second;
    return *this;
  }
  Disk& Text(uint32_t sector, size_t offset, const char* text) {
    std::memcpy(Sector(sector) + offset, text, std::strlen(text));
    return *this;
  }
  // A boot sector with the file-system text and size fields the search reads.
  Disk& FatBoot(uint32_t sector, bool fat32, uint32_t totalSectors) {
    Text(sector, fat32 ? 82 : 54, fat32 ? "FAT32   " : "FAT16   ");
    if (!fat32 && totalSectors < 0x10000) {
      Sector(sector)[19] = static_cast<uint8_t>(totalSectors);
      Sector(sector)[20] = static_cast<uint8_t>(totalSectors >> 8);
    } else {
      Put32(Sector(sector) + 32, totalSectors);
    }
    return Signature(sector);
  }
  Disk& NtfsBoot(uint32_t sector, uint32_t totalSectors) {
    Text(sector, 3, "NTFS    ");
    Put32(Sector(sector) + 40, totalSectors);
    return Signature(sector);
  }
  std::vector<uint8_t> Bytes() const { return bytes_; }

 private:
  uint8_t* Sector(uint32_t sector) { return bytes_.data() + static_cast<size_t>(sector) * engine::kSectorSize; }
  static void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace partitiontest
