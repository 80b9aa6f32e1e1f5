#include "FileSystemDetection.h"

#include <array>
#include <optional>

#include "fat/FatBootSector.h"
#include "ntfs/NtfsQuickScan.h"
#include "SectorReader.h"

namespace engine {
namespace {

constexpr uint64_t kFat32BackupBootOffset = 6;
constexpr uint8_t kFixedDiskMedia = 0xF8;

bool FitsIn32Bits(int64_t value) { return value >= 0 && value <= static_cast<int64_t>(UINT32_MAX); }

// Reads one sector; nothing when it cannot be read.
std::optional<std::array<uint8_t, kSectorSize>> ReadOneSector(EngineContext& ctx, uint64_t sector) {
  std::array<uint8_t, kSectorSize> buffer{};
  if (!ReadSectors(ctx, sector, 1, buffer)) return std::nullopt;
  return buffer;
}

// Geometry from the boot sector at `bootSector`, accepted only when the second FAT
// begins with the fixed-disk media byte. Fills ActiveVolume; false when unusable.
bool TryFatBootSector(EngineContext& ctx, uint64_t volumeStart, uint64_t bootSector, bool fat32) {
  const auto boot = ReadOneSector(ctx, bootSector);
  if (!boot) return false;
  const std::optional<FatBootFields> fields = ParseFatBootSector(*boot, fat32);
  if (!fields) return false;

  const int64_t start = static_cast<int64_t>(volumeStart);
  const int64_t reserved = fields->ReservedSectors;
  const int64_t perFat = fields->SectorsPerFat;
  const int64_t perCluster = fields->SectorsPerCluster;
  const int64_t rootDirSectors = fat32 ? 0 : (fields->RootEntries >> 4) & 0xFFF;
  const int64_t fat1 = start + reserved;
  const int64_t fat2 = fat1 + perFat;
  const int64_t rootStart = fat2 + perFat;
  const int64_t clusterBase = rootStart + rootDirSectors - 2 * perCluster;
  const int64_t endSector = fields->TotalSectors > 0 ? start + fields->TotalSectors - 1 : 0;
  // A boot sector whose FATs leave no data area, or whose root cluster lies outside
  // it, is damaged: the backup copy may still be whole.
  const int64_t dataSectors = int64_t{fields->TotalSectors} - (rootStart - start) - rootDirSectors;
  if (dataSectors < perCluster) return false;
  const int64_t highestCluster = dataSectors / perCluster + 1;
  if (fat32 && (fields->RootCluster < 2 || fields->RootCluster > highestCluster)) return false;
  // Volumes that need sector numbers past 32 bits are refused, not wrapped.
  if (!FitsIn32Bits(fat2) || !FitsIn32Bits(rootStart) || !FitsIn32Bits(clusterBase) || !FitsIn32Bits(endSector)) {
    return false;
  }

  const auto secondFat = ReadOneSector(ctx, static_cast<uint64_t>(fat2));
  if (!secondFat || (*secondFat)[0] != kFixedDiskMedia) return false;

  VolumeParameters& volume = ctx.ActiveVolume;
  volume.SectorsPerFat = fields->SectorsPerFat;
  volume.SectorsPerCluster = fields->SectorsPerCluster;
  volume.RootDirSectors = static_cast<uint32_t>(rootDirSectors);
  volume.RootDirStart = fat32 ? fields->RootCluster : static_cast<uint32_t>(rootStart);
  volume.ReservedSectors = fields->ReservedSectors;
  volume.ClusterBase = static_cast<uint32_t>(clusterBase);
  volume.Fat1Start = static_cast<uint32_t>(fat1);
  volume.Fat2Start = static_cast<uint32_t>(fat2);
  volume.EndSector = static_cast<uint32_t>(endSector);
  return true;
}

}  // namespace

uint64_t ChosenVolumeStart(const EngineContext& ctx) {
  return ctx.SourceDevice.SourceKind == kSourceLogicalDrive ? 0 : ctx.SourceSelection.StartSector;
}

int DetectFileSystem(EngineContext& ctx) {
  if (StopRequested(ctx)) return 0;
  if (ctx.SourceDevice.SourceKind == kSourceLogicalDrive) ctx.SourceSelection.StartSector = 0;
  const uint64_t start = ChosenVolumeStart(ctx);
  const uint16_t code = ctx.SourceSelection.FileSystemCode;
  ctx.ActiveVolume.FileSystemCode = code;

  switch (code) {
    case kFileSystemFat32:
      return TryFatBootSector(ctx, start, start, true) ||
                     TryFatBootSector(ctx, start, start + kFat32BackupBootOffset, true)
                 ? 1
                 : 0;
    case kFileSystemFat16:
      return TryFatBootSector(ctx, start, start, false) ? 1 : 0;
    case kFileSystemNtfs:
      return DetectNtfsParameters(ctx, start) ? 1 : 0;
    default:
      return 0;  // no file system this program reads: never an empty success
  }
}

}  // namespace engine
