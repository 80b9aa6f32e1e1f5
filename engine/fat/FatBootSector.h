#pragma once
// The fields of a FAT boot sector that Quick Scan uses: 13 sectors per cluster,
// 14 reserved sectors, 17 root entries, 19 total sectors (16-bit), 22 sectors per
// FAT (FAT16), 32 total sectors (32-bit), 36 sectors per FAT (FAT32), 44 root
// cluster (FAT32), 510-511 the signature 0x55 0xAA.

#include <cstdint>
#include <optional>
#include <span>

namespace engine {

struct FatBootFields {
  uint32_t SectorsPerCluster = 0;
  uint32_t ReservedSectors = 0;
  uint32_t RootEntries = 0;
  uint32_t SectorsPerFat = 0;   // the FAT16 or FAT32 field, as asked
  uint32_t RootCluster = 0;     // FAT32 only
  uint32_t TotalSectors = 0;    // the 16-bit field, else the 32-bit one
};

// The fields of a FAT16 (fat32 false) or FAT32 boot sector; nothing without the
// signature, with sectors per cluster other than 1, 2, 4, ... 128, or with a FAT
// of no sectors.
std::optional<FatBootFields> ParseFatBootSector(std::span<const uint8_t> sector, bool fat32);

}  // namespace engine
