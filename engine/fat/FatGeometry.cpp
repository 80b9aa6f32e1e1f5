#include "FatGeometry.h"

#include <algorithm>

namespace engine {

std::optional<FatLayout> CurrentFatLayout(const EngineContext& ctx) {
  const VolumeParameters& volume = ctx.ActiveVolume;
  if (volume.FileSystemCode != kFileSystemFat16 && volume.FileSystemCode != kFileSystemFat32) return std::nullopt;
  if (!IsValidSectorsPerCluster(volume.SectorsPerCluster)) return std::nullopt;

  FatLayout layout;
  layout.Is32 = volume.FileSystemCode == kFileSystemFat32;
  layout.SectorsPerCluster = volume.SectorsPerCluster;
  layout.ClusterBase = volume.ClusterBase;
  layout.Fat1Start = volume.Fat1Start;
  layout.Fat2Start = volume.Fat2Start;

  // FAT32 entries are 28 bits wide; FAT16 entries 16 bits, and the values from
  // 0xFFF7 up are marks, not clusters.
  uint64_t maxCluster = layout.Is32 ? 0x0FFFFFF6ULL : 0xFFF6ULL;
  if (volume.SectorsPerFat > 0) {
    const uint64_t entries = uint64_t{volume.SectorsPerFat} * kSectorSize / (layout.Is32 ? 4 : 2);
    maxCluster = std::min(maxCluster, entries - 1);
  }
  const uint64_t spc = layout.SectorsPerCluster;
  auto boundBySectorEnd = [&](uint64_t endSectorExclusive) {
    if (endSectorExclusive <= layout.ClusterBase) return;
    const uint64_t clustersToEnd = (endSectorExclusive - layout.ClusterBase) / spc;  // clusters 0 .. n-1 fit
    if (clustersToEnd == 0) {
      maxCluster = 0;
    } else {
      maxCluster = std::min(maxCluster, clustersToEnd - 1);
    }
  };
  if (volume.EndSector > 0) boundBySectorEnd(uint64_t{volume.EndSector} + 1);
  if (ctx.SourceSelection.SectorCount > 0) {
    const uint64_t rangeStart = ctx.SourceDevice.SourceKind == kSourceLogicalDrive ? 0 : ctx.SourceSelection.StartSector;
    boundBySectorEnd(rangeStart + ctx.SourceSelection.SectorCount);
  }
  layout.MaxCluster = static_cast<uint32_t>(maxCluster);
  return layout;
}

}  // namespace engine
