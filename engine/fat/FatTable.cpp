#include "FatTable.h"

#include <array>
#include <unordered_set>

#include "LeBytes.h"
#include "SectorReader.h"

namespace engine {
namespace {

// Reads FAT entries with the last FAT sector kept, since chains mostly run forward.
// A sector of the FAT that cannot be read is read from the other copy; it counts
// as unreadable (and damages what is saved through it) only when neither reads.
class FatSectorCache {
 public:
  FatSectorCache(EngineContext& ctx, const FatLayout& layout, uint64_t fatStart, uint64_t otherCopyStart)
      : ctx_(ctx), layout_(layout), fatStart_(fatStart), otherCopyStart_(otherCopyStart) {}

  // The raw entry of `cluster`; nothing when its FAT sector cannot be read from either copy.
  std::optional<uint32_t> Entry(uint32_t cluster) {
    const uint32_t entriesPerSector = layout_.Is32 ? kSectorSize / 4 : kSectorSize / 2;
    const uint64_t sectorInFat = cluster / entriesPerSector;
    if (sectorInFat != cachedSector_) {
      cachedSector_ = UINT64_MAX;
      const bool read = TryReadSectors(ctx_, fatStart_ + sectorInFat, 1, buffer_) ||
                        (otherCopyStart_ != 0 && TryReadSectors(ctx_, otherCopyStart_ + sectorInFat, 1, buffer_)) ||
                        ReadSectors(ctx_, fatStart_ + sectorInFat, 1, buffer_);
      if (!read) return std::nullopt;
      cachedSector_ = sectorInFat;
    }
    LeBytes bytes(buffer_);
    const uint32_t index = cluster % entriesPerSector;
    return layout_.Is32 ? bytes.U32(index * 4) : bytes.U16(index * 2);
  }

 private:
  EngineContext& ctx_;
  const FatLayout& layout_;
  uint64_t fatStart_;
  uint64_t otherCopyStart_;
  uint64_t cachedSector_ = UINT64_MAX;
  std::array<uint8_t, kSectorSize> buffer_{};
};

template <class KeepGoing>
std::vector<uint32_t> WalkChain(EngineContext& ctx, const FatLayout& layout, uint64_t fatStart, uint32_t startCluster,
                                uint32_t maxClusters, KeepGoing keepGoing, ChainEnd* ended = nullptr) {
  std::vector<uint32_t> chain;
  ChainEnd end = ChainEnd::Broken;
  if (fatStart == 0 || maxClusters == 0 || !IsDataCluster(layout, startCluster)) {
    if (ended != nullptr) *ended = end;
    return chain;
  }
  const uint64_t otherCopy = fatStart == layout.Fat1Start ? layout.Fat2Start : layout.Fat1Start;
  FatSectorCache fat(ctx, layout, fatStart, otherCopy);
  std::unordered_set<uint32_t> seen;
  uint32_t cluster = startCluster;
  while (true) {
    chain.push_back(cluster);
    seen.insert(cluster);
    if (chain.size() >= maxClusters) {
      end = ChainEnd::Length;
      break;
    }
    if (!keepGoing()) {
      end = ChainEnd::Stopped;
      break;
    }
    const std::optional<uint32_t> raw = fat.Entry(cluster);
    if (!raw) break;
    const FatLink link = ClassifyFatEntry(layout.Is32, *raw, layout.MaxCluster);
    if (link.Kind == FatLinkKind::EndOfChain) end = ChainEnd::EndMark;
    if (link.Kind != FatLinkKind::Next || seen.count(link.Next) != 0) break;
    cluster = link.Next;
  }
  if (ended != nullptr) *ended = end;
  return chain;
}

}  // namespace

FatLink ClassifyFatEntry(bool is32, uint32_t rawEntry, uint32_t maxCluster) {
  const uint32_t value = is32 ? rawEntry & 0x0FFFFFFF : rawEntry & 0xFFFF;
  const uint32_t badMark = is32 ? 0x0FFFFFF7 : 0xFFF7;
  if (value == 0) return {FatLinkKind::Free, 0};
  if (value > badMark) return {FatLinkKind::EndOfChain, 0};
  if (value == badMark) return {FatLinkKind::BadCluster, 0};
  if (value < 2 || value > maxCluster) return {FatLinkKind::OutOfRange, 0};
  return {FatLinkKind::Next, value};
}

std::vector<uint32_t> FollowClusterChain(EngineContext& ctx, const FatLayout& layout, uint32_t startCluster,
                                         uint32_t maxClusters, int fatCopy, ChainEnd* ended) {
  const uint64_t fatStart = fatCopy == kFatCopy2 ? layout.Fat2Start : layout.Fat1Start;
  return WalkChain(
      ctx, layout, fatStart, startCluster, maxClusters,
      [&ctx] { return ctx.SaveControl.StopRequested.load() != 1 && ctx.SaveControl.SkipRequested.load() != 1; },
      ended);
}

std::vector<uint32_t> BuildClusterChain(EngineContext& ctx, const FatLayout& layout, uint32_t startCluster,
                                        uint32_t maxClusters, ChainEnd* ended, int fatCopy) {
  const uint64_t fatStart = fatCopy == kFatCopy2 ? layout.Fat2Start : layout.Fat1Start;
  return WalkChain(ctx, layout, fatStart, startCluster, maxClusters, [] { return true; }, ended);
}

std::vector<uint32_t> FreeClustersAfter(EngineContext& ctx, const FatLayout& layout, uint32_t cluster,
                                        uint32_t maxClusters, AtClusterInUse atInUse) {
  std::vector<uint32_t> free;
  if (layout.Fat1Start == 0) return free;
  FatSectorCache fat(ctx, layout, layout.Fat1Start, layout.Fat2Start);
  for (uint64_t next = uint64_t{cluster} + 1; free.size() < maxClusters && next <= layout.MaxCluster; ++next) {
    const std::optional<uint32_t> raw = fat.Entry(static_cast<uint32_t>(next));
    if (!raw) break;
    if (ClassifyFatEntry(layout.Is32, *raw, layout.MaxCluster).Kind != FatLinkKind::Free) {
      if (atInUse == AtClusterInUse::Stop) break;
      continue;
    }
    free.push_back(static_cast<uint32_t>(next));
  }
  return free;
}

}  // namespace engine
