#include "extensive/NtfsVolumeAnalysis.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "LeBytes.h"
#include "SectorReader.h"
#include "extensive/ClusterBaseIndex.h"
#include "extensive/FatVolumeAnalysis.h"
#include "extensive/ProgressReporter.h"
#include "extensive/ScanText.h"
#include "ntfs/MftRecord.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

// A volume found without a boot sector is assumed to use 4,096-byte index blocks.
constexpr uint32_t kDefaultSectorsPerIndexRecord = 8;
constexpr uint32_t kIndexRecordIsOneBlock = 0xF4;

bool SectorBeginsWithIndx(EngineContext& ctx, uint64_t sector) {
  std::array<uint8_t, kSectorSize> bytes{};
  ReadSectors(ctx, sector, 1, bytes);
  return ntfs::HasSignature(bytes, "INDX");
}

void AddVolumeLine(EngineContext& ctx, TreeItem root, FoundVolume volume) {
  ctx.Results.FoundVolumeCount += 1;
  volume.TreeItem = ctx.Host->PartitionTreeAddItem(kNtfsVolumePrefix + DecimalText(volume.ClusterBase), root);
  AddFoundVolume(ctx, ctx.Results.FoundVolumes, volume);
}

}  // namespace

bool ClaimNtfsFolders(EngineContext& ctx, uint32_t sectorsPerCluster, uint64_t volumeStart, uint64_t upperBound,
                      int step) {
  RecordList<NtfsFolderNode>& folders = ctx.Results.NtfsFolders;
  ResultStore& results = ctx.Results;
  const char16_t* stepText = step == 1 ? kClaimStep1Text : kClaimStep2Text;
  ProgressReporter progress(ctx, Panel::Scan);
  auto showStatus = [&] {
    ctx.Host->SetStatusText(Panel::Scan, stepText + DecimalText(results.AnalysisProgress) + u" \\ " +
                                             DecimalText(results.CandidateFolderCount));
  };
  // Folders are in ascending record-sector order: start at the first beyond the volume start.
  size_t first = 0;
  size_t last = folders.size();
  while (first < last) {
    const size_t middle = first + (last - first) / 2;
    if (folders[middle].RecordSector <= volumeStart) {
      first = middle + 1;
    } else {
      last = middle;
    }
  }
  bool claimedAny = false;
  int shownPercent = -1;
  for (size_t i = first; i < folders.size() && !StopRequested(ctx); ++i) {
    NtfsFolderNode& folder = folders[i];
    if (folder.RecordSector > upperBound) break;
    if (folder.VolumeNumber != 0 || folder.IndexCluster == 0) continue;
    if (!SectorBeginsWithIndx(ctx, volumeStart + uint64_t{sectorsPerCluster} * folder.IndexCluster)) continue;
    folder.VolumeNumber = static_cast<uint16_t>(results.FoundVolumeCount + 1);
    results.AnalysisProgress += 1;
    claimedAny = true;
    const int percent = PercentOf(static_cast<uint64_t>(results.AnalysisProgress), results.CandidateFolderCount);
    if (percent != shownPercent) {
      shownPercent = percent;
      showStatus();
      progress.Show(percent);
    }
  }
  if (claimedAny) showStatus();
  return claimedAny;
}

TreeItem AnalyzeNtfsVolumes(EngineContext& ctx) {
  const TreeItem root = ctx.Host->PartitionTreeInsertRoot(kFileSystemRootText);
  for (size_t i = 0; i < ctx.Results.BootSectors.size() && !StopRequested(ctx); ++i) {
    const uint32_t start = ctx.Results.BootSectors[i].Sector;
    std::array<uint8_t, kSectorSize> sector{};
    ReadSectors(ctx, start, 1, sector);
    LeBytes view(sector);
    const uint32_t clusterSize = view.U8(13);
    const uint64_t totalSectors = view.U32(40);
    const uint64_t mftCluster = view.U32(48);
    const uint64_t mirrorCluster = view.U32(56);
    const uint32_t indexValue = view.U32(68);
    if (!view.ok() || !IsValidSectorsPerCluster(clusterSize) || totalSectors == 0 || indexValue == 0) continue;
    const uint64_t end = start + totalSectors;
    const uint64_t mftStart = start + clusterSize * mftCluster;
    const uint64_t mirrorStart = start + clusterSize * mirrorCluster;
    // Volume fields are 32-bit: a volume reaching beyond them is refused, never wrapped.
    if (end > UINT32_MAX || mftStart > UINT32_MAX || mirrorStart > UINT32_MAX) continue;
    if (!ClaimNtfsFolders(ctx, clusterSize, start, end, 1)) continue;

    FoundVolume volume;
    volume.FileSystemCode = kFileSystemNtfs;
    volume.SectorsPerCluster = clusterSize;
    volume.ClusterBase = start;
    volume.MftStart = static_cast<uint32_t>(mftStart);
    volume.MftMirrorStart = static_cast<uint32_t>(mirrorStart);
    volume.SectorsPerIndexRecord = indexValue == kIndexRecordIsOneBlock
                                       ? kDefaultSectorsPerIndexRecord
                                       : static_cast<uint32_t>(uint64_t{clusterSize} * indexValue);
    volume.EndSector = static_cast<uint32_t>(end);
    AddVolumeLine(ctx, root, volume);
  }
  ctx.ScanControl.AnalysisPart1Done.store(1);
  return root;
}

namespace {

// The pairing of FinishNtfsCandidates. Two folders agree on a volume when their
// first index blocks f1, f2 and index clusters e1, e2 give one cluster size
// S = (f1 - f2) / (e1 - e2) and one start f1 - S x e1; grouping the folders by
// (S, start) finds each folder's partners by lookup. A (S, start) already tried
// is not tried again: a claim takes every folder it can, so a repeat claims none.
class FolderPairing {
 public:
  FolderPairing(EngineContext& ctx, TreeItem root) : ctx_(ctx), folders_(ctx.Results.NtfsFolders), root_(root) {
    for (const IndxBlockNode& block : ctx.Results.IndxBlocks) {
      if (block.BlockVcn == 0) firstBlockOf_.emplace(block.OwnerId, block.Sector);
    }
    std::vector<ClusterBaseIndex::Member> members;
    for (size_t i = 0; i < folders_.size(); ++i) {
      const NtfsFolderNode& folder = folders_[i];
      if (folder.VolumeNumber != 0 || folder.IndexCluster == 0) continue;
      if (const auto block = FirstBlock(folder)) members.push_back({*block, folder.IndexCluster, static_cast<uint32_t>(i)});
    }
    index_.emplace(members);
  }

  void Run() {
    for (size_t i = 0; i < folders_.size() && !StopRequested(ctx_); ++i) {
      NtfsFolderNode& folder = folders_[i];
      if (folder.VolumeNumber != 0) continue;
      const auto block = folder.IndexCluster != 0 ? FirstBlock(folder) : std::nullopt;
      if (block) TryPartners(i, *block);
      // A folder no pair placed stays without a volume; the post-processing files it.
      if (folder.VolumeNumber == 0 && !StopRequested(ctx_)) folder.VolumeNumber = kUnclaimedVolume;
    }
  }

 private:
  std::optional<uint32_t> FirstBlock(const NtfsFolderNode& folder) const {
    const auto found = firstBlockOf_.find(folder.OwnId);
    if (found == firstBlockOf_.end()) return std::nullopt;
    return found->second;
  }

  static uint64_t HypothesisKey(uint32_t size, uint32_t start) { return uint64_t{start} << 8 | size; }

  // The first later unclaimed folder that agrees with folder `i` on (size, start)
  // and has another first index block.
  std::optional<uint32_t> FirstPartner(size_t i, uint32_t block, uint32_t size, uint32_t start) const {
    const std::span<const uint32_t> group = index_->Group(size, start);
    for (auto it = std::upper_bound(group.begin(), group.end(), static_cast<uint32_t>(i)); it != group.end(); ++it) {
      const NtfsFolderNode& partner = folders_[*it];
      if (partner.VolumeNumber != 0) continue;
      if (FirstBlock(partner) == block) continue;
      return *it;
    }
    return std::nullopt;
  }

  // Tries the geometries folder `i` shares with later folders, in the order of
  // their first partner in the list.
  void TryPartners(size_t i, uint32_t block) {
    const uint64_t cluster = folders_[i].IndexCluster;
    while (!StopRequested(ctx_)) {
      std::optional<uint32_t> bestPartner;
      uint32_t bestSize = 0;
      uint32_t bestStart = 0;
      for (uint32_t size : kClusterSizes) {
        const auto start = ClusterZeroSector(block, cluster, size);
        if (!start || tried_.count(HypothesisKey(size, *start)) != 0) continue;
        const auto partner = FirstPartner(i, block, size, *start);
        if (partner && (!bestPartner || *partner < *bestPartner)) {
          bestPartner = partner;
          bestSize = size;
          bestStart = *start;
        }
      }
      if (!bestPartner) return;
      tried_.insert(HypothesisKey(bestSize, bestStart));
      if (!ClaimNtfsFolders(ctx_, bestSize, bestStart, ctx_.SourceSelection.EndSector, 2)) continue;
      FoundVolume volume;
      volume.FileSystemCode = kFileSystemNtfs;
      volume.SectorsPerCluster = bestSize;
      volume.ClusterBase = bestStart;
      volume.SectorsPerIndexRecord = kDefaultSectorsPerIndexRecord;
      volume.EndSector = ctx_.SourceSelection.EndSector;
      AddVolumeLine(ctx_, root_, volume);
    }
  }

  EngineContext& ctx_;
  RecordList<NtfsFolderNode>& folders_;
  TreeItem root_;
  std::unordered_map<uint32_t, uint32_t> firstBlockOf_;  // owner id -> sector of its VCN 0 block
  std::optional<ClusterBaseIndex> index_;
  std::unordered_set<uint64_t> tried_;
};

}  // namespace

void FinishNtfsCandidates(EngineContext& ctx, TreeItem root) {
  FolderPairing(ctx, root).Run();
  ctx.ScanControl.AnalysisPart2Done.store(1);
}

}  // namespace engine
