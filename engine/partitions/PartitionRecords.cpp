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
constexpr std::size_t kSignatureOffset = 510;

// BPB fields the search reads for a volume's size.
constexpr std::size_t kFatTotalSectors16Offset = 19;
constexpr std::size_t kFatTotalSectors32Offset = 32;
constexpr std::size_t kNtfsTotalSectorsOffset = 40;

bool HasText(std::span<const uint8_t> bytes, std::size_t offset, std::string_view text) {
  if (offset > bytes.size() || text.size() > bytes.size() - offset) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (bytes[offset + i] != static_cast<uint8_t>(text[i])) return false;
  }
  return true;
}

}  // namespace

bool IsExtendedType(uint8_t type) { return type == kPartitionTypeExtended || type == kPartitionTypeExtendedLba; }

bool HasBootRecordSignature(std::span<const uint8_t> sector) {
  LeBytes bytes(sector);
  const uint16_t signature = bytes.U16(kSignatureOffset);
  return bytes.ok() && signature == 0xAA55;
}

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
  if (HasText(bootSector, 82, "FAT32")) return kFileSystemFat32;
  if (HasText(bootSector, 54, "FAT16")) return kFileSystemFat16;
  if (HasText(bootSector, 3, "NTFS")) return kFileSystemNtfs;
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
  if (HasText(bootSector, 85, "32") || HasText(bootSector, 57, "16")) {
    found.FileSystemCode = HasText(bootSector, 85, "32") ? kFileSystemFat32 : kFileSystemFat16;
    // A FAT volume under 65,536 sectors may keep its size in the 16-bit field instead.
    found.SectorCount = bytes.U32(kFatTotalSectors32Offset);
    if (found.SectorCount == 0) found.SectorCount = bytes.U16(kFatTotalSectors16Offset);
  } else if (HasText(bootSector, 3, "NTFS")) {
    found.FileSystemCode = kFileSystemNtfs;
    found.SectorCount = static_cast<uint32_t>(bytes.U64(kNtfsTotalSectorsOffset));
  }
  if (!bytes.ok()) return {};
  return found;
}

}  // namespace engine
