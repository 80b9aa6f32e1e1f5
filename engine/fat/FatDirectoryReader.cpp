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

// True when every entry of the piece could be a directory entry: the end mark, a
// deleted or long-name entry, or a short entry with printable name bytes and no
// reserved attribute bits. File data almost never passes for a whole cluster.
bool LooksLikeDirectoryEntries(const uint8_t* piece, size_t bytes) {
  for (size_t offset = 0; offset + kDirEntrySize <= bytes; offset += kDirEntrySize) {
    const uint8_t* entry = piece + offset;
    if (entry[0] == 0) return true;
    if (entry[11] == kAttrLongName) continue;
    if ((entry[11] & 0xC0) != 0) return false;
    for (size_t i = entry[0] == kDeletedMark ? 1 : 0; i < 11; ++i) {
      if (entry[i] < 0x20) return false;
    }
  }
  return true;
}

bool StartsDirectory(const uint8_t* piece) { return piece[0] == '.' && piece[1] == ' '; }

// Reads sectors of the directory into `piece`, noting when some could not be read.
void ReadDirectorySectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, uint8_t* piece,
                          FatDirectoryBytes& directory) {
  const uint64_t unreadableBefore = ctx.ReadStats.UnreadableSectors.load();
  ReadSectors(ctx, firstSector, count, {piece, size_t{count} * kSectorSize});
  if (ctx.ReadStats.UnreadableSectors.load() != unreadableBefore) directory.HasUnreadableSectors = true;
}

}  // namespace

FatDirectoryBytes ReadFatRootRegion(EngineContext& ctx, uint64_t firstSector, uint32_t sectorCount) {
  FatDirectoryBytes directory;
  directory.FirstSector = firstSector;
  sectorCount = std::min(sectorCount, kMaxDirectoryBytes / kSectorSize);
  directory.Bytes.resize(size_t{sectorCount} * kSectorSize);
  for (uint32_t i = 0; i < sectorCount; ++i) {
    uint8_t* sector = directory.Bytes.data() + size_t{i} * kSectorSize;
    ReadDirectorySectors(ctx, firstSector + i, 1, sector, directory);
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
  std::vector<uint32_t> chain = BuildClusterChain(ctx, layout, firstCluster, limit);
  if (chain.empty()) return directory;
  directory.FirstSector = ClusterFirstSector(layout, chain.front());
  directory.Bytes.reserve(std::min<size_t>(chain.size(), 16) * clusterBytes);
  // A deleted folder's chain is gone: after its first cluster, the free clusters
  // that follow are tried for as long as they still read as directory entries.
  const bool chainGone = deleted && chain.size() == 1;
  for (size_t i = 0; i < chain.size(); ++i) {
    const size_t at = directory.Bytes.size();
    directory.Bytes.resize(at + clusterBytes);
    uint8_t* piece = directory.Bytes.data() + at;
    ReadDirectorySectors(ctx, ClusterFirstSector(layout, chain[i]), layout.SectorsPerCluster, piece, directory);
    // Another folder's "." entry means this folder ended before it.
    if (chainGone && i > 0 && (!LooksLikeDirectoryEntries(piece, clusterBytes) || StartsDirectory(piece))) {
      directory.Bytes.resize(at);
      break;
    }
    if (HoldsEndOfDirectory(piece, clusterBytes)) break;
    if (chainGone && i == 0) {
      const std::vector<uint32_t> after = FreeClustersAfter(ctx, layout, chain[0], limit - 1, AtClusterInUse::Stop);
      chain.insert(chain.end(), after.begin(), after.end());
    }
  }
  return directory;
}

}  // namespace engine
