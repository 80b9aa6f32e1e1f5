#pragma once
// Derives a FAT geometry without a usable boot sector, from two subdirectories
// found in the range: their sectors and their own cluster numbers fix the sectors
// per cluster and the sector of cluster 0.

#include <cstdint>
#include <optional>

#include "EngineContext.h"

namespace engine {

struct DirectorySample {
  uint64_t Sector = 0;
  uint32_t Cluster = 0;  // the "." entry's first cluster
};

struct ClusterGeometry {
  uint32_t SectorsPerCluster = 0;
  uint64_t ClusterBase = 0;
};

// The geometry two directory starts agree on: the later one's cluster is higher,
// the sector distance is a whole number of clusters, a power of two from 1 to 128
// sectors each, and both put cluster 0 at the same sector. Nothing otherwise.
std::optional<ClusterGeometry> GeometryFromSamples(const DirectorySample& first, const DirectorySample& second);

// 1 when a FAT geometry for SourceSelection.FileSystemCode (100 or 200) was
// derived into ActiveVolume. On 0 (nothing found, another code, or Stop) it has
// set ScanControl.StopOrDone to 1 and ScanControl.Running to 0.
int RebuildFatParameters(EngineContext& ctx);

}  // namespace engine
