#include "partitions/PartitionRecords.h"

#include <string_view>

#include "EngineRecords.h"
#include "LeBytes.h"

namespace engine {
namespace {

constexpr std::size_t kEntriesOffset = 446;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kEntryTypeOffset = 4;
constexpr std::size_t kEntryFirstSectorOffset = 8;
constexpr std::size_t kEntrySectorCountOffset = 12;

// BPB fields the search reads for a volume's size.
constexpr std::size_t kFatTotalSectors16Offset = 19;
constexpr std::size_t kFatTotalSectors32Offset = 32;
constexpr std::size_t kNtfsTotalSectorsOffset = 40;

}  // namespace

bool IsExtendedType(uint8_t type) { return type == kPartitionTypeExtended || type == kPartitionTypeExtendedLba; }

std::array<PartitionRecordEntry, 4> ParsePartitionEntries(std::span<const uint8_t> record) {
  std::array<PartitionRecordEntry, 4> entries{};
  LeBytes bytes(record);
  if (!bytes.Has(kEntriesOffset, 4 * kEntrySize)) return entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t at = kEntriesOffset + i * kEntrySize;
    entries[i].Type = bytes.U8(at + kEntryTypeOffset);
    entries[i].FirstSector = bytes.U32(at + kEntryFirstSectorOffset);
    entries[i].SectorCount = bytes.U32(at + kEntrySectorCountOffset);
  }
  return entries;
}

uint16_t ClassifyListedPartition(std::span<const uint8_t> bootSector, uint8_t type, bool inExtendedChain) {
  if (BytesAre(bootSector, 82, "FAT32")) return kFileSystemFat32;
  if (BytesAre(bootSector, 54, "FAT16")) return kFileSystemFat16;
  if (BytesAre(bootSector, 3, "NTFS")) return kFileSystemNtfs;
  switch (type) {
    case 0x01:
      return inExtendedChain ? kFileSystemFat16 : 0;
    case 0x04:
    case 0x06:
    case 0x0E:
      return kFileSystemFat16;
    case 0x0B:
    case 0x0C:
      return kFileSystemFat32;
    case 0x07:
      return kFileSystemNtfs;
    default:
      return 0;
  }
}

FoundBootSector RecogniseBootSector(std::span<const uint8_t> bootSector) {
  LeBytes bytes(bootSector);
  FoundBootSector found;
  if (BytesAre(bootSector, 85, "32") || BytesAre(bootSector, 57, "16")) {
    found.FileSystemCode = BytesAre(bootSector, 85, "32") ? kFileSystemFat32 : kFileSystemFat16;
    // A FAT volume under 65,536 sectors may keep its size in the 16-bit field instead.
    found.SectorCount = bytes.U32(kFatTotalSectors32Offset);
    if (found.SectorCount == 0) found.SectorCount = bytes.U16(kFatTotalSectors16Offset);
  } else if (BytesAre(bootSector, 3, "NTFS")) {
    found.FileSystemCode = kFileSystemNtfs;
    found.SectorCount = static_cast<uint32_t>(bytes.U64(kNtfsTotalSectorsOffset));
  }
  if (!bytes.ok()) return {};
  return found;
}

}  // namespace engine
