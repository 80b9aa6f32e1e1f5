#include "FatFileSaving.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "FatFileTimes.h"
#include "FileDataCopier.h"
#include "SavePaths.h"
#include "SectorReader.h"
#include "fat/FatGeometry.h"
#include "fat/FatTable.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

// The clusters to copy. A chain of exactly the clusters needed (a longer one is
// cut). A live file whose chain ends at its end mark before its size is bounded by
// its chain: the size is wrong, the clusters after are another file's. A live
// file whose chain is broken in both FATs is read from consecutive clusters, a
// guessed layout. A deleted file: its first cluster and the free clusters after
// it, passing over clusters live files hold (its own clusters were freed
// together), with zeros where they run out.
struct FileClusters {
  std::vector<uint32_t> Listed;
  bool Consecutive = false;
  KnownDamage Damage = KnownDamage::None;
};

FileClusters ClustersOfFile(EngineContext& ctx, const FatLayout& layout, uint32_t firstCluster,
                            uint64_t clustersNeeded, bool deleted) {
  const uint32_t wanted = static_cast<uint32_t>(std::min<uint64_t>(clustersNeeded, UINT32_MAX));
  std::vector<uint32_t> wholeChain;
  for (int copy : {kFatCopy1, kFatCopy2}) {
    ChainEnd ended = ChainEnd::Broken;
    std::vector<uint32_t> chain = FollowClusterChain(ctx, layout, firstCluster, wanted, copy, &ended);
    if (chain.size() == wanted) return {std::move(chain), false};
    if (ended == ChainEnd::EndMark && chain.size() > wholeChain.size()) wholeChain = std::move(chain);
  }
  if (!deleted && !wholeChain.empty()) return {std::move(wholeChain), false};
  if (!deleted || wanted == 0 || !IsDataCluster(layout, firstCluster)) {
    return {{}, true, deleted || wanted == 0 ? KnownDamage::None : KnownDamage::GuessedLayout};
  }
  FileClusters clusters{{firstCluster}, false};
  const std::vector<uint32_t> after = FreeClustersAfter(ctx, layout, firstCluster, wanted - 1, AtClusterInUse::Skip);
  clusters.Listed.insert(clusters.Listed.end(), after.begin(), after.end());
  return clusters;
}

// How many clusters of data the file has on the volume: its listed clusters, or
// the consecutive ones up to the volume's last cluster.
uint64_t ClustersAvailable(const FatLayout& layout, const FileClusters& clusters, uint32_t firstCluster) {
  if (!clusters.Consecutive) return clusters.Listed.size();
  return IsDataCluster(layout, firstCluster) ? uint64_t{layout.MaxCluster} - firstCluster + 1 : 0;
}

// Copies the file's clusters, each stretch of clusters that follow each other on
// the volume as one run. A size beyond its chain or the volume is written only as
// far as the clusters go (CutAtVolumeEnd): what lies further is another file's
// data or nothing at all. `known` takes the damage the cluster layout itself shows.
CopyResult CopyClusters(EngineContext& ctx, SaveSession& session, const FatLayout& layout,
                        const FatFileSaveRequest& request, OutputFile& out, KnownDamage& known) {
  const uint64_t clusterBytes = uint64_t{layout.SectorsPerCluster} * kSectorSize;
  const uint64_t clustersNeeded = (uint64_t{request.Size} + clusterBytes - 1) / clusterBytes;
  const FileClusters clusters = ClustersOfFile(ctx, layout, request.FirstCluster, clustersNeeded, request.Deleted);
  known = clusters.Damage;
  const uint64_t available = ClustersAvailable(layout, clusters, request.FirstCluster);
  const uint64_t size = std::min<uint64_t>(request.Size, available * clusterBytes);
  FileDataCopier copier(ctx, session.CopyBuffer, out, size, request.VisibleSave);

  for (uint64_t i = 0; copier.Appended() < size;) {
    const uint32_t first = clusters.Consecutive ? static_cast<uint32_t>(request.FirstCluster + i) : clusters.Listed[i];
    uint64_t runClusters = 1;
    if (clusters.Consecutive) {
      runClusters = available - i;
    } else {
      while (i + runClusters < clusters.Listed.size() && clusters.Listed[i + runClusters] == first + runClusters) {
        ++runClusters;
      }
    }
    const uint64_t bytes = std::min(runClusters * clusterBytes, size - copier.Appended());
    if (const CopyResult step = copier.CopySectors(ClusterFirstSector(layout, first), bytes);
        step != CopyResult::Complete) {
      return step;
    }
    i += runClusters;
  }
  if (const CopyResult step = copier.Finish(); step != CopyResult::Complete) return step;
  return size < request.Size ? CopyResult::CutAtVolumeEnd : CopyResult::Complete;
}

// Every file below a folder that could not be made counts as failed.
void CountFilesBelowAsFailed(EngineContext& ctx, SaveSession& session, uint32_t firstCluster,
                             const std::u16string& path) {
  std::vector<std::pair<uint32_t, std::u16string>> pending{{firstCluster, path}};
  std::unordered_set<uint32_t> visited;
  while (!pending.empty()) {
    auto [cluster, folderPath] = std::move(pending.back());
    pending.pop_back();
    if (!visited.insert(cluster).second) continue;
    for (const FatFileEntry* file : ctx.Results.FatFilesIn(cluster)) {
      session.Tally.Record(FileSaveOutcome::Failed, JoinPath(folderPath, file->Name));
    }
    for (const FatFolderEntry* child : ctx.Results.FatFoldersIn(cluster)) {
      pending.emplace_back(child->FirstCluster, JoinPath(folderPath, child->Name));
    }
  }
}

}  // namespace

FatFileSaveRequest FatSaveRequestFor(const FatFileEntry& file, const std::u16string& folder) {
  FatFileSaveRequest request;
  request.TargetFolder = folder;
  request.FileIndex = file.FileIndex;
  request.FirstCluster = file.FirstCluster;
  request.Size = file.Size;
  request.Name = file.Name;
  request.Deleted = file.Deleted;
  request.WriteDate = file.WriteDate;
  request.AccessDate = file.AccessDate;
  request.Times = file.Times;
  return request;
}

int SaveFatFile(EngineContext& ctx, SaveSession& session, const FatFileSaveRequest& request) {
  if (SaveStopRequested(ctx)) return 0;
  ctx.SaveControl.SkipRequested = 0;
  const std::optional<FatLayout> layout = CurrentFatLayout(ctx);
  const std::optional<SaveTarget> target =
      PrepareSaveTarget(ctx, session, request.TargetFolder, request.Name, request.VisibleSave, request.Deleted);
  if (!target) return 0;
  if (!layout) {
    session.Tally.Record(FileSaveOutcome::Failed, target->Path);
    return 0;
  }

  std::unique_ptr<OutputFile> out = CreateSaveFile(ctx, session, target->Path);
  if (!out) return 0;
  if (request.VisibleSave) {
    ReportSaveFile(ctx, request.TargetFolder, target->Name);
    ctx.Host->SaveReportProgress(0);
  }

  const uint64_t unreadableBefore = UnreadableSectorCount(ctx);
  KnownDamage known = KnownDamage::None;
  const CopyResult copied = CopyClusters(ctx, session, *layout, request, *out, known);
  if (copied == CopyResult::Complete || copied == CopyResult::CutAtVolumeEnd) {
    out->SetTimes(FatSavedFileTimes(request.WriteDate, request.AccessDate, request.Times));
  }
  return FinishSaveFile(ctx, session, target->Path, *out, copied, unreadableBefore, known) == FileSaveOutcome::Saved
             ? 1
             : 0;
}

uint64_t SaveFatFolderFiles(EngineContext& ctx, SaveSession& session, uint32_t firstCluster, const std::u16string& path) {
  uint64_t written = 0;
  for (const FatFileEntry* file : ctx.Results.FatFilesIn(firstCluster)) {
    if (SaveStopRequested(ctx)) break;
    written += SaveFatFile(ctx, session, FatSaveRequestFor(*file, path));
  }
  return written;
}

uint64_t SaveFatFolder(EngineContext& ctx, SaveSession& session, uint32_t firstCluster, const std::u16string& parentPath,
                   const std::u16string& folderName) {
  struct PendingFolder {
    uint32_t FirstCluster;
    std::u16string ParentPath;
    std::u16string Name;
  };
  std::vector<PendingFolder> pending{{firstCluster, parentPath, folderName}};
  std::unordered_set<uint32_t> visited;
  uint64_t written = 0;
  while (!pending.empty()) {
    if (SaveStopRequested(ctx)) break;
    PendingFolder folder = std::move(pending.back());
    pending.pop_back();
    if (!visited.insert(folder.FirstCluster).second) continue;  // a loop on disk

    const std::optional<std::u16string> path =
        CreateSaveFolder(ctx, session, folder.ParentPath, folder.Name, folder.FirstCluster);
    if (!path) {
      // Nothing below a folder that could not be made is written anywhere else.
      CountFilesBelowAsFailed(ctx, session, folder.FirstCluster, JoinPath(folder.ParentPath, folder.Name));
      continue;
    }
    written += SaveFatFolderFiles(ctx, session, folder.FirstCluster, *path);

    // Children go on the stack last-first so they are saved in list order.
    const std::vector<FatFolderEntry*>& children = ctx.Results.FatFoldersIn(folder.FirstCluster);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      pending.push_back({(*child)->FirstCluster, *path, (*child)->Name});
    }
  }
  return written;
}

}  // namespace engine
