#pragma once
// Reads the bytes of a whole FAT directory from the source: the FAT16 root
// region, or a directory's cluster chain. A live directory is read to its end
// (bounded by the largest directory FAT allows, 65,536 entries); a deleted one
// has lost its chain, so at most 100 clusters are tried. Reading stops after the
// cluster that holds the end-of-directory entry.

#include <cstdint>
#include <vector>

#include "EngineContext.h"
#include "FatGeometry.h"

namespace engine {

inline constexpr uint32_t kMaxDirectoryBytes = 65536 * 32;
inline constexpr uint32_t kDeletedDirectoryClusterLimit = 100;

struct FatDirectoryBytes {
  std::vector<uint8_t> Bytes;
  uint64_t FirstSector = 0;  // where the directory starts, for the progress panel
  bool HasUnreadableSectors = false;  // some of its sectors are zeros in Bytes
};

// True when every entry of the bytes could be a directory entry (up to an end
// mark, after which all is zero): a deleted or long-name entry, or a short entry
// with printable name bytes, no reserved attribute bits and more than a name.
// File data almost never passes for a whole cluster.
bool LooksLikeDirectoryEntries(const uint8_t* bytes, size_t count);
// True when the bytes begin with a folder's "." entry.
bool StartsDirectory(const uint8_t* bytes);

FatDirectoryBytes ReadFatRootRegion(EngineContext& ctx, uint64_t firstSector, uint32_t sectorCount);
FatDirectoryBytes ReadFatDirectoryChain(EngineContext& ctx, const FatLayout& layout, uint32_t firstCluster,
                                        bool deleted);

}  // namespace engine
