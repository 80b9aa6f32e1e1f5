#pragma once
// Cluster chains through the file allocation table. A chain ends at an end mark
// (FAT32 from 0x0FFFFFF8, FAT16 from 0xFFF8), at the bad-cluster mark, at a free
// entry, at a cluster beyond the volume, on a cluster already in the chain, or
// where the FAT cannot be read. FAT32 entries are 28 bits: the top nibble is
// reserved and masked off.

#include <cstdint>
#include <vector>

#include "EngineContext.h"
#include "FatGeometry.h"

namespace engine {

enum class FatLinkKind { Next, Free, EndOfChain, BadCluster, OutOfRange };

struct FatLink {
  FatLinkKind Kind = FatLinkKind::Free;
  uint32_t Next = 0;  // the next cluster when Kind is Next
};

// What a raw FAT entry value means on a volume whose highest cluster is maxCluster.
FatLink ClassifyFatEntry(bool is32, uint32_t rawEntry, uint32_t maxCluster);

// Why a walk along a chain ended.
enum class ChainEnd {
  Length,   // it reached the clusters asked for
  Stopped,  // Stop or Skip
  EndMark,  // at an end mark: the chain is whole
  Broken,   // at a free, bad or out-of-range entry, a loop back into itself, or an unreadable FAT sector
};

// The FAT copies.
inline constexpr int kFatCopy1 = 1;
inline constexpr int kFatCopy2 = 2;

// The chain from `startCluster` through FAT copy `fatCopy`, at most `maxClusters`
// long (a longer chain is cut: callers want its first clusters). Leaves early when
// the save worker's Stop or Skip is set. Empty when the start is no data cluster
// or the copy's position is unknown.
std::vector<uint32_t> FollowClusterChain(EngineContext& ctx, const FatLayout& layout, uint32_t startCluster,
                                         uint32_t maxClusters, int fatCopy, ChainEnd* ended = nullptr);

// The chain of a directory through FAT copy 1 (or 2), at most `maxClusters` long.
// Polls no flag: directories are short.
std::vector<uint32_t> BuildClusterChain(EngineContext& ctx, const FatLayout& layout, uint32_t startCluster,
                                        uint32_t maxClusters, ChainEnd* ended = nullptr, int fatCopy = kFatCopy1);

// What to do at a cluster in use while collecting the free clusters of a deleted
// file or folder: it belongs to another file now.
enum class AtClusterInUse { Stop, Skip };

// The clusters after `cluster`, in order, that FAT copy 1 marks free, at most
// `maxClusters`: where a deleted file's or folder's later clusters lay. A folder
// stops at the first cluster in use; a file's data goes on after live files that
// were written between its pieces. Ends at the end of the volume.
std::vector<uint32_t> FreeClustersAfter(EngineContext& ctx, const FatLayout& layout, uint32_t cluster,
                                        uint32_t maxClusters, AtClusterInUse atInUse);

}  // namespace engine
