#pragma once
// The geometry of the FAT volume in work, checked once so that the readers never
// divide by zero or leave the volume: sectors per cluster a power of two from 1 to
// 128, a FAT of at least one sector, and the highest cluster number the FAT and
// the volume can hold.

#include <cstdint>
#include <optional>

#include "EngineContext.h"

namespace engine {

struct FatLayout {
  bool Is32 = false;
  uint32_t SectorsPerCluster = 0;
  uint64_t ClusterBase = 0;  // sector where cluster 0 would lie
  uint64_t Fat1Start = 0;    // 0 when unknown
  uint64_t Fat2Start = 0;    // 0 when unknown
  uint32_t MaxCluster = 0;   // highest valid cluster number
};


// The layout of ctx.ActiveVolume; nothing when it is not a usable FAT geometry.
// The highest cluster is bounded by the FAT's size, by the volume's end sector
// when it is known and by the end of the chosen range.
std::optional<FatLayout> CurrentFatLayout(const EngineContext& ctx);

inline uint64_t ClusterFirstSector(const FatLayout& layout, uint32_t cluster) {
  return layout.ClusterBase + uint64_t{layout.SectorsPerCluster} * cluster;
}

inline bool IsDataCluster(const FatLayout& layout, uint32_t cluster) {
  return cluster >= 2 && cluster <= layout.MaxCluster;
}

}  // namespace engine
