#include "FatParameterRebuild.h"

#include <vector>

#include "FileSystemDetection.h"
#include "LeBytes.h"
#include "SectorReader.h"
#include "fat/FatDirectoryEntry.h"
#include "fat/FatGeometry.h"

namespace engine {
namespace {

constexpr uint32_t kSectorsPerBatch = 64;
constexpr uint32_t kProgressEverySectors = 4096;

bool FitsIn32Bits(uint64_t value) { return value <= UINT32_MAX; }

// A sector whose entry 0 is "." and entry 1 is ".." (names padded with blanks).
std::optional<uint32_t> DirectoryStartCluster(std::span<const uint8_t> sector, bool fat32) {
  if (!BytesAre(sector, 0, ".          ") || !BytesAre(sector, kDirEntrySize, "..         ")) return std::nullopt;
  const std::optional<FatShortEntry> dot = DecodeShortEntry(sector, 0, fat32);
  if (!dot) return std::nullopt;
  return dot->FirstCluster;
}

// The reserved size: the first FAT begins with 0xF8 0xFF somewhere in the
// sectors the format leaves reserved.
uint32_t FindReservedSectors(EngineContext& ctx, uint64_t start, bool fat32) {
  const uint32_t first = fat32 ? 30 : 0;
  const uint32_t last = fat32 ? 59 : 9;
  std::vector<uint8_t> sector(kSectorSize);
  for (uint32_t offset = first; offset <= last; ++offset) {
    if (!ReadSectors(ctx, start + offset, 1, sector)) continue;
    if (sector[0] == 0xF8 && sector[1] == 0xFF) return offset;
  }
  return fat32 ? 32 : 1;
}

int GiveUp(EngineContext& ctx) {
  ctx.ScanControl.StopOrDone = 1;
  ctx.ScanControl.Running = 0;
  return 0;
}

}  // namespace

std::optional<ClusterGeometry> GeometryFromSamples(const DirectorySample& first, const DirectorySample& second) {
  if (second.Cluster <= first.Cluster || second.Sector <= first.Sector) return std::nullopt;
  if (second.Cluster >= first.Sector || second.Cluster >= second.Sector) return std::nullopt;
  const uint64_t sectorDistance = second.Sector - first.Sector;
  const uint64_t clusterDistance = second.Cluster - first.Cluster;
  if (sectorDistance % clusterDistance != 0) return std::nullopt;
  const uint64_t perCluster = sectorDistance / clusterDistance;
  if (perCluster > 128 || !IsValidSectorsPerCluster(static_cast<uint32_t>(perCluster))) return std::nullopt;
  const uint64_t firstOffset = perCluster * first.Cluster;
  const uint64_t secondOffset = perCluster * second.Cluster;
  if (firstOffset > first.Sector || secondOffset > second.Sector) return std::nullopt;
  if (first.Sector - firstOffset != second.Sector - secondOffset) return std::nullopt;
  return ClusterGeometry{static_cast<uint32_t>(perCluster), first.Sector - firstOffset};
}

int RebuildFatParameters(EngineContext& ctx) {
  const uint16_t code = ctx.SourceSelection.FileSystemCode;
  if (code != kFileSystemFat16 && code != kFileSystemFat32) return GiveUp(ctx);
  const bool fat32 = code == kFileSystemFat32;
  ctx.Host->SetStatusText(Panel::Scan, u"Please wait, calculating partition parameters");

  const uint64_t start = ChosenVolumeStart(ctx);
  const uint32_t reserved = FindReservedSectors(ctx, start, fat32);
  const uint32_t rootDirSectors = fat32 ? 0 : 32;
  const uint64_t count = ctx.SourceSelection.SectorCount;

  std::optional<DirectorySample> reference;
  std::vector<uint8_t> batch(size_t{kSectorsPerBatch} * kSectorSize);
  for (uint64_t walked = 0; walked < count;) {
    if (StopRequested(ctx)) return GiveUp(ctx);
    const uint32_t sectors = static_cast<uint32_t>(std::min<uint64_t>(kSectorsPerBatch, count - walked));
    ReadSectors(ctx, start + walked, sectors, batch);
    for (uint32_t k = 0; k < sectors; ++k, ++walked) {
      if (walked % kProgressEverySectors == 0) {
        ctx.Host->SetProgressPos(Panel::Scan, static_cast<int>(std::min<uint64_t>(99, walked * 100 / count)));
      }
      const std::span<const uint8_t> sector(batch.data() + size_t{k} * kSectorSize, kSectorSize);
      const std::optional<uint32_t> cluster = DirectoryStartCluster(sector, fat32);
      if (!cluster) continue;
      const DirectorySample sample{start + walked, *cluster};
      const uint32_t highest = fat32 ? 0x0FFFFFF6 : 0xFFF6;
      if (sample.Cluster < 2 || sample.Cluster > highest) continue;
      if (!reference) {
        reference = sample;
        continue;
      }
      const std::optional<ClusterGeometry> geometry = GeometryFromSamples(*reference, sample);
      if (!geometry) continue;

      // Cluster 2 starts where the FATs (and the FAT16 root) end.
      const uint64_t dataStart = geometry->ClusterBase + 2ULL * geometry->SectorsPerCluster;
      const uint64_t fatsStart = start + reserved;
      if (dataStart <= fatsStart + rootDirSectors) continue;
      const uint64_t perFat = (dataStart - fatsStart - rootDirSectors) / 2;
      const uint64_t fat2 = fatsStart + perFat;
      if (perFat == 0 || !FitsIn32Bits(fat2 + perFat) || !FitsIn32Bits(geometry->ClusterBase)) continue;

      VolumeParameters& volume = ctx.ActiveVolume;
      volume.FileSystemCode = code;
      volume.SectorsPerCluster = geometry->SectorsPerCluster;
      volume.ClusterBase = static_cast<uint32_t>(geometry->ClusterBase);
      volume.SectorsPerFat = static_cast<uint32_t>(perFat);
      volume.ReservedSectors = reserved;
      volume.RootDirSectors = rootDirSectors;
      volume.Fat1Start = static_cast<uint32_t>(fatsStart);
      volume.Fat2Start = static_cast<uint32_t>(fat2);
      volume.RootDirStart = fat32 ? 2 : static_cast<uint32_t>(fat2 + perFat);
      volume.EndSector = 0;  // unknown without a boot sector
      return 1;
    }
  }
  return GiveUp(ctx);
}

}  // namespace engine
