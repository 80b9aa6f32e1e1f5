#include "extensive/FatVolumeAnalysis.h"

#include <algorithm>
#include <array>
#include <deque>
#include <vector>

#include "LeBytes.h"
#include "SectorReader.h"
#include "extensive/ClusterBaseIndex.h"
#include "extensive/ProgressReporter.h"
#include "extensive/RawScanBatches.h"
#include "extensive/ScanText.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

// On a whole disk the first track holds the partition table, never a volume's data.
constexpr uint64_t kFirstDataSectorOfDisk = 63;

class FatVolumeAnalysis {
 public:
  explicit FatVolumeAnalysis(EngineContext& ctx)
      : ctx_(ctx), results_(ctx.Results), candidates_(ctx.Results.DirClusterCandidates),
        index_(Members(ctx.Results.DirClusterCandidates)), progress_(ctx, Panel::Scan) {}

  void Run() {
    ctx_.Host->SetStatusText(Panel::Scan, kAnalyzingText);
    root_ = ctx_.Host->PartitionTreeInsertRoot(kFileSystemRootText);
    results_.AnalysisProgress = 0;
    const uint64_t lowestBase = ctx_.SourceDevice.SourceKind == kSourceLogicalDrive ? 0 : kFirstDataSectorOfDisk;
    for (const SectorNode& boot : results_.BootSectors) {
      std::array<uint8_t, kSectorSize> sector{};
      ReadSectors(ctx_, boot.Sector, 1, sector);
      if (auto volume = FatVolumeFromBootSector(sector, boot.Sector, lowestBase)) ClaimForBootSector(*volume);
    }
    FinishFatCandidates();
    ctx_.ScanControl.AnalysisPart1Done.store(1);
  }

 private:
  static std::vector<ClusterBaseIndex::Member> Members(const std::deque<DirClusterCandidate>& candidates) {
    std::vector<ClusterBaseIndex::Member> members;
    members.reserve(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
      members.push_back({candidates[i].Sector, candidates[i].OwnCluster, static_cast<uint32_t>(i)});
    }
    return members;
  }

  uint16_t NextVolumeNumber() const { return static_cast<uint16_t>(results_.FoundVolumeCount + 1); }

  void CountClaim(DirClusterCandidate& candidate) {
    candidate.VolumeNumber = NextVolumeNumber();
    results_.AnalysisProgress += 1;
    progress_.Show(static_cast<uint64_t>(results_.AnalysisProgress), results_.CandidateFolderCount);
  }

  void AddVolume(FoundVolume volume) {
    const char16_t* label = volume.FileSystemCode == kFileSystemFat32 ? u"FAT32 @" : u"FAT16 @";
    volume.TreeItem = ctx_.Host->PartitionTreeAddItem(label + DecimalText(volume.ClusterBase), root_);
    AddFoundVolume(ctx_, results_.FoundVolumes, volume);
    results_.FoundVolumeCount += 1;
  }

  // Every unclaimed directory start up to the volume's end that lies exactly where
  // the boot sector's geometry puts its cluster.
  void ClaimForBootSector(const FoundVolume& volume) {
    bool claimed = false;
    for (uint32_t position : index_.Group(volume.SectorsPerCluster, volume.ClusterBase)) {
      DirClusterCandidate& candidate = candidates_[position];
      if (candidate.Sector > volume.EndSector) break;
      if (candidate.VolumeNumber != 0) continue;
      CountClaim(candidate);
      claimed = true;
    }
    if (claimed) AddVolume(volume);
  }

  void FinishFatCandidates() {
    for (size_t i = 0; i < candidates_.size(); ++i) {
      if (candidates_[i].VolumeNumber != 0) continue;
      if (!BuildVolumeFromCandidates(i)) {
        candidates_[i].VolumeNumber = kUnclaimedVolume;
        results_.AnalysisProgress += 1;
      }
    }
    ctx_.ScanControl.AnalysisPart2Done.store(1);
  }

  // A volume around candidate `a` when a later unclaimed candidate agrees with it
  // on a cluster size and a cluster base; the first such candidate in list order
  // decides the geometry.
  bool BuildVolumeFromCandidates(size_t a) {
    const DirClusterCandidate& first = candidates_[a];
    std::optional<uint32_t> bestPartner;
    uint32_t bestSize = 0;
    uint32_t bestBase = 0;
    for (uint32_t size : kClusterSizes) {
      const auto base = ClusterZeroSector(first.Sector, first.OwnCluster, size);
      if (!base || *base == 0) continue;
      const std::span<const uint32_t> group = index_.Group(size, *base);
      for (auto it = std::upper_bound(group.begin(), group.end(), static_cast<uint32_t>(a)); it != group.end(); ++it) {
        if (candidates_[*it].VolumeNumber != 0) continue;
        if (!bestPartner || *it < *bestPartner) {
          bestPartner = *it;
          bestSize = size;
          bestBase = *base;
        }
        break;
      }
    }
    if (!bestPartner) return false;

    uint32_t largestCluster = 0;
    for (uint32_t position : index_.Group(bestSize, bestBase)) {
      DirClusterCandidate& candidate = candidates_[position];
      if (candidate.VolumeNumber != 0) continue;
      CountClaim(candidate);
      largestCluster = std::max(largestCluster, candidate.OwnCluster);
    }
    const bool fat32 = ctx_.SourceSelection.FileSystemCode == kFileSystemFat32 || largestCluster > 0xFFFF;
    FoundVolume volume;
    volume.FileSystemCode = fat32 ? kFileSystemFat32 : kFileSystemFat16;
    volume.SectorsPerCluster = bestSize;
    volume.RootDirStart = fat32 ? 2 : 0;
    volume.ClusterBase = bestBase;
    AddVolume(volume);
    return true;
  }

  EngineContext& ctx_;
  ResultStore& results_;
  std::deque<DirClusterCandidate>& candidates_;
  ClusterBaseIndex index_;
  ProgressReporter progress_;
  TreeItem root_ = 0;
};

}  // namespace

std::optional<FoundVolume> FatVolumeFromBootSector(std::span<const uint8_t> bootSector, uint32_t sector,
                                                   uint64_t lowestClusterBase) {
  if (!HasBootMark(bootSector)) return std::nullopt;
  const bool fat32 = BytesAre(bootSector, 85, "32");
  if (!fat32 && !BytesAre(bootSector, 57, "16")) return std::nullopt;
  LeBytes view(bootSector);
  const uint32_t clusterSize = view.U8(13);
  const uint32_t reserved = view.U16(14);
  const uint32_t rootEntries = view.U16(17);
  const uint16_t totalSectors16 = view.U16(19);
  const uint32_t totalSectors32 = view.U32(32);
  const uint32_t sectorsPerFat = fat32 ? view.U32(36) : view.U16(22);
  const uint32_t rootCluster = view.U32(44);
  if (!view.ok() || !IsValidSectorsPerCluster(clusterSize)) return std::nullopt;

  // Volumes under 32 MiB carry their size only in the 16-bit field.
  const uint64_t totalSectors = totalSectors16 != 0 ? totalSectors16 : totalSectors32;
  const uint64_t rootDirSectors = fat32 ? 0 : (rootEntries >> 4) & 0xFFF;
  const uint64_t fat1 = uint64_t{sector} + reserved;
  const uint64_t fat2 = fat1 + sectorsPerFat;
  const uint64_t rootStart = fat2 + sectorsPerFat;
  const int64_t clusterBase = static_cast<int64_t>(rootStart + rootDirSectors) - 2 * int64_t{clusterSize};
  const uint64_t end = uint64_t{sector} + totalSectors;
  if (clusterBase < static_cast<int64_t>(lowestClusterBase) || clusterBase >= 0xFFFFFFFF || end > UINT32_MAX) {
    return std::nullopt;
  }

  FoundVolume volume;
  volume.FileSystemCode = fat32 ? kFileSystemFat32 : kFileSystemFat16;
  volume.SectorsPerFat = sectorsPerFat;
  volume.SectorsPerCluster = clusterSize;
  volume.RootDirSectors = static_cast<uint32_t>(rootDirSectors);
  volume.RootDirStart = fat32 ? rootCluster : static_cast<uint32_t>(rootStart);
  volume.ReservedSectors = reserved;
  volume.ClusterBase = static_cast<uint32_t>(clusterBase);
  volume.Fat1Start = static_cast<uint32_t>(fat1);
  volume.Fat2Start = static_cast<uint32_t>(fat2);
  volume.EndSector = static_cast<uint32_t>(end);
  return volume;
}

void AnalyzeFatVolumes(EngineContext& ctx) { FatVolumeAnalysis(ctx).Run(); }

}  // namespace engine
