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

// Reads sectors of the directory into `piece`, noting when some could not be read.
// True when all were read.
bool ReadDirectorySectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, uint8_t* piece,
                          FatDirectoryBytes& directory) {
  const uint64_t unreadableBefore = ctx.ReadStats.UnreadableSectors.load();
  ReadSectors(ctx, firstSector, count, {piece, size_t{count} * kSectorSize});
  if (ctx.ReadStats.UnreadableSectors.load() == unreadableBefore) return true;
  directory.HasUnreadableSectors = true;
  return false;
}

// Appends one cluster of the directory. Sectors that cannot be read are left out
// rather than kept as zeros, which would end the directory there and hide every
// entry after them. False when nothing of it could be read.
bool AppendDirectoryCluster(EngineContext& ctx, const FatLayout& layout, uint32_t cluster,
                            FatDirectoryBytes& directory) {
  const uint32_t clusterBytes = layout.SectorsPerCluster * kSectorSize;
  const size_t at = directory.Bytes.size();
  directory.Bytes.resize(at + clusterBytes);
  const uint64_t first = ClusterFirstSector(layout, cluster);
  if (ReadDirectorySectors(ctx, first, layout.SectorsPerCluster, directory.Bytes.data() + at, directory)) return true;
  size_t kept = at;
  for (uint32_t i = 0; i < layout.SectorsPerCluster; ++i) {
    if (!ReadDirectorySectors(ctx, first + i, 1, directory.Bytes.data() + kept, directory)) continue;
    kept += kSectorSize;
  }
  directory.Bytes.resize(kept);
  return kept != at;
}

}  // namespace

bool LooksLikeDirectoryEntries(const uint8_t* piece, size_t bytes) {
  for (size_t offset = 0; offset + kDirEntrySize <= bytes; offset += kDirEntrySize) {
    const uint8_t* entry = piece + offset;
    // The end mark: a folder's clusters are zeroed when it takes them, so all
    // after it is zero too. Data that merely begins with a name-like entry is not.
    if (entry[0] == 0) return std::all_of(entry, piece + bytes, [](uint8_t b) { return b == 0; });
    if (entry[11] == kAttrLongName) continue;
    if ((entry[11] & 0xC0) != 0) return false;
    for (size_t i = entry[0] == kDeletedMark ? 1 : 0; i < 11; ++i) {
      if (entry[i] < 0x20) return false;
    }
    // A name with no attributes, dates, cluster or size is the tail of a file's
    // last cluster, not an entry: every file system writes at least a date.
    if (std::all_of(entry + 11, entry + kDirEntrySize, [](uint8_t b) { return b == 0; })) return false;
  }
  return true;
}

bool StartsDirectory(const uint8_t* piece) { return piece[0] == '.' && piece[1] == ' '; }

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
  ChainEnd ended = ChainEnd::Broken;
  std::vector<uint32_t> chain = BuildClusterChain(ctx, layout, firstCluster, limit, &ended);
  if (!deleted && ended == ChainEnd::Broken && layout.Fat2Start != 0) {
    // The second FAT may still hold what the first lost.
    ChainEnd endedInCopy2 = ChainEnd::Broken;
    std::vector<uint32_t> copy2 = BuildClusterChain(ctx, layout, firstCluster, limit, &endedInCopy2, kFatCopy2);
    if (endedInCopy2 != ChainEnd::Broken || copy2.size() > chain.size()) {
      chain = std::move(copy2);
      ended = endedInCopy2;
    }
  }
  if (chain.empty()) return directory;
  directory.FirstSector = ClusterFirstSector(layout, chain.front());
  directory.Bytes.reserve(std::min<size_t>(chain.size(), 16) * clusterBytes);
  // A deleted folder's chain is gone: after its first cluster, the free clusters
  // that follow are tried for as long as they still read as directory entries.
  const bool chainGone = deleted && chain.size() == 1;
  // A live folder's chain broken in the FAT (a loop, a free entry): the clusters
  // after its last one are tried the same way.
  const bool chainBroken = !deleted && ended == ChainEnd::Broken;
  const size_t listed = chain.size();
  for (size_t i = 0; i < chain.size(); ++i) {
    const size_t at = directory.Bytes.size();
    const bool guessed = (chainGone && i > 0) || (chainBroken && i >= listed);
    if (!AppendDirectoryCluster(ctx, layout, chain[i], directory)) {
      if (guessed) break;
      continue;  // what follows in the chain is still this folder's
    }
    const uint8_t* piece = directory.Bytes.data() + at;
    const size_t pieceBytes = directory.Bytes.size() - at;
    // Another folder's "." entry means this folder ended before it.
    if (guessed && (!LooksLikeDirectoryEntries(piece, pieceBytes) || StartsDirectory(piece))) {
      directory.Bytes.resize(at);
      break;
    }
    if (HoldsEndOfDirectory(piece, pieceBytes)) break;
    if (chainGone && i == 0) {
      const std::vector<uint32_t> after = FreeClustersAfter(ctx, layout, chain[0], limit - 1, AtClusterInUse::Stop);
      chain.insert(chain.end(), after.begin(), after.end());
    }
    if (chainBroken && i + 1 == chain.size() && chain.size() < limit && chain[i] < layout.MaxCluster) {
      chain.push_back(chain[i] + 1);
    }
  }
  return directory;
}

}  // namespace engine
