#pragma once
// The on-disk pieces the partition code reads: the four 16-byte entries of a master
// or extended boot record, and the texts by which a boot sector names its file system.

#include <array>
#include <cstdint>
#include <span>

namespace engine {

inline constexpr uint8_t kPartitionTypeExtended = 0x05;
inline constexpr uint8_t kPartitionTypeExtendedLba = 0x0F;

struct PartitionRecordEntry {
  uint8_t Type = 0;
  uint32_t FirstSector = 0;
  uint32_t SectorCount = 0;
};

bool IsExtendedType(uint8_t type);

// The four entries at offset 446 of a boot record; zeros for a record that is too short.
std::array<PartitionRecordEntry, 4> ParsePartitionEntries(std::span<const uint8_t> record);

// The file-system code of a listed partition: by the boot sector's texts ("FAT32"
// at 82, "FAT16" at 54, "NTFS" at 3), else by the entry's type. 0 when the
// partition is not listed. Type 1 counts as FAT16 only inside the extended chain.
uint16_t ClassifyListedPartition(std::span<const uint8_t> bootSector, uint8_t type, bool inExtendedChain);

// A volume the lost-partition search recognises by the shorter marks ("32" at
// 85-86, "16" at 57-58, "NTFS" at 3) with its size from the boot sector.
struct FoundBootSector {
  uint16_t FileSystemCode = 0;  // 0 when nothing was recognised
  uint32_t SectorCount = 0;
};
FoundBootSector RecogniseBootSector(std::span<const uint8_t> bootSector);

}  // namespace engine
