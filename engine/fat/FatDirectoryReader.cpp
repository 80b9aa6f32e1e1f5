#include "FatDirectoryReader.h"

#include <algorithm>

#include "FatDirectoryEntry.h"
#include "FatTable.h"
#include "SectorReader.h"

namespace engine {
namespace {

// True when the piece holds an entry beginning with 0: nothing follows it.
bool HoldsEndOfDirectory(const uint8_t* piece, size_t bytes) {
  for (size_t offset = 0; offset + kDirEntrySize <= bytes; offset += kDirEntrySize) {
    if (piece[offset] == 0) return true;
  }
  return false;
}

}  // namespace

FatDirectoryBytes ReadFatRootRegion(EngineContext& ctx, uint64_t firstSector, uint32_t sectorCount) {
  FatDirectoryBytes directory;
  directory.FirstSector = firstSector;
  sectorCount = std::min(sectorCount, kMaxDirectoryBytes / kSectorSize);
  directory.Bytes.resize(size_t{sectorCount} * kSectorSize);
  for (uint32_t i = 0; i < sectorCount; ++i) {
    uint8_t* sector = directory.Bytes.data() + size_t{i} * kSectorSize;
    ReadSectors(ctx, firstSector + i, 1, {sector, kSectorSize});
    if (HoldsEndOfDirectory(sector, kSectorSize)) {
      directory.Bytes.resize(size_t{i + 1} * kSectorSize);
      break;
    }
  }
  return directory;
}

FatDirectoryBytes ReadFatDirectoryChain(EngineContext& ctx, const FatLayout& layout, uint32_t firstCluster,
                                        bool deleted) {
  FatDirectoryBytes directory;
  const uint32_t clusterBytes = layout.SectorsPerCluster * kSectorSize;
  const uint32_t limit = deleted ? kDeletedDirectoryClusterLimit : std::max<uint32_t>(1, kMaxDirectoryBytes / clusterBytes);
  const std::vector<uint32_t> chain = BuildClusterChain(ctx, layout, firstCluster, limit);
  if (chain.empty()) return directory;
  directory.FirstSector = ClusterFirstSector(layout, chain.front());
  directory.Bytes.reserve(std::min<size_t>(chain.size(), 16) * clusterBytes);
  for (uint32_t cluster : chain) {
    const size_t at = directory.Bytes.size();
    directory.Bytes.resize(at + clusterBytes);
    ReadSectors(ctx, ClusterFirstSector(layout, cluster), layout.SectorsPerCluster,
                {directory.Bytes.data() + at, clusterBytes});
    if (HoldsEndOfDirectory(directory.Bytes.data() + at, clusterBytes)) break;
  }
  return directory;
}

}  // namespace engine
