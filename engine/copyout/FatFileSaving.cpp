#include "FatFileSaving.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "FatFileTimes.h"
#include "SavePaths.h"
#include "SectorReader.h"
#include "fat/FatGeometry.h"
#include "fat/FatTable.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

// The clusters to copy. A chain of exactly the clusters needed (a longer one is
// cut); else, for a deleted file, its first cluster and the free clusters after
// it, passing over clusters live files hold (its own clusters were freed
// together), with zeros where they run out; else consecutive clusters.
struct FileClusters {
  std::vector<uint32_t> Listed;
  bool Consecutive = false;
};

FileClusters ClustersOfFile(EngineContext& ctx, const FatLayout& layout, uint32_t firstCluster,
                            uint64_t clustersNeeded, bool deleted) {
  const uint32_t wanted = static_cast<uint32_t>(std::min<uint64_t>(clustersNeeded, UINT32_MAX));
  for (int copy : {kFatCopy1, kFatCopy2}) {
    std::vector<uint32_t> chain = FollowClusterChain(ctx, layout, firstCluster, wanted, copy);
    if (chain.size() == wanted) return {std::move(chain), false};
  }
  if (!deleted || wanted == 0 || !IsDataCluster(layout, firstCluster)) return {{}, true};
  FileClusters clusters{{firstCluster}, false};
  const std::vector<uint32_t> after = FreeClustersAfter(ctx, layout, firstCluster, wanted - 1, AtClusterInUse::Skip);
  clusters.Listed.insert(clusters.Listed.end(), after.begin(), after.end());
  return clusters;
}

CopyResult CopyClusters(EngineContext& ctx, const FatLayout& layout, const FatFileSaveRequest& request,
                        OutputFile& out) {
  const uint64_t size = request.Size;
  const uint64_t clusterBytes = uint64_t{layout.SectorsPerCluster} * kSectorSize;
  const uint64_t clustersNeeded = (size + clusterBytes - 1) / clusterBytes;
  const FileClusters clusters = ClustersOfFile(ctx, layout, request.FirstCluster, clustersNeeded, request.Deleted);
  const uint32_t piece = SectorsPerCopyPiece(layout.SectorsPerCluster);
  std::vector<uint8_t> buffer(size_t{piece} * kSectorSize);

  uint64_t written = 0;
  for (uint64_t i = 0; written < size; ++i) {
    if (request.VisibleSave) ctx.Host->SaveReportProgress(static_cast<int>(std::min<uint64_t>(99, written * 100 / size)));
    if (SaveStopRequested(ctx) || SaveSkipRequested(ctx)) return CopyResult::Interrupted;
    const uint64_t cluster = clusters.Consecutive       ? uint64_t{request.FirstCluster} + i
                             : i < clusters.Listed.size() ? clusters.Listed[i]
                                                          : 0;  // no cluster left: zeros
    const bool inVolume = cluster <= layout.MaxCluster && cluster >= 2;
    for (uint32_t sector = 0; sector < layout.SectorsPerCluster && written < size; sector += piece) {
      std::fill(buffer.begin(), buffer.end(), 0);
      if (inVolume) {
        ReadSectors(ctx, ClusterFirstSector(layout, static_cast<uint32_t>(cluster)) + sector, piece, buffer);
      }
      const size_t bytes = static_cast<size_t>(std::min<uint64_t>(buffer.size(), size - written));
      if (!out.Write({buffer.data(), bytes})) return CopyResult::WriteFailed;
      written += bytes;
    }
  }
  return CopyResult::Complete;
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
  return request;
}

int SaveFatFile(EngineContext& ctx, SaveSession& session, const FatFileSaveRequest& request) {
  if (SaveStopRequested(ctx)) return 0;
  ctx.SaveControl.SkipRequested = 0;
  const std::optional<FatLayout> layout = CurrentFatLayout(ctx);
  if (!layout) return 0;

  const std::optional<SaveTarget> target =
      PrepareSaveTarget(ctx, session, request.TargetFolder, request.Name, request.VisibleSave, request.Deleted);
  if (!target) return 0;

  std::unique_ptr<OutputFile> out = CreateSaveFile(ctx, session, target->Path);
  if (!out) return 0;
  if (request.VisibleSave) {
    ReportSaveFile(ctx, request.TargetFolder, target->Name);
    ctx.Host->SaveReportProgress(0);
  }

  const CopyResult copied = CopyClusters(ctx, *layout, request, *out);
  if (copied == CopyResult::Complete) {
    // A date that is no date leaves the times as the file system set them.
    if (const std::optional<uint64_t> time = FatDateToFileTimeNow(request.WriteDate)) {
      out->SetTimes({time, time, time});
    }
  }
  return CloseSaveFile(ctx, target->Path, *out, copied) ? 1 : 0;
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

    const std::u16string path = JoinPath(folder.ParentPath, SanitizeFileName(folder.Name));
    ctx.Files->CreateFolder(path);  // an existing folder is fine; a failure shows at its files
    written += SaveFatFolderFiles(ctx, session, folder.FirstCluster, path);

    // Children go on the stack last-first so they are saved in list order.
    const std::vector<FatFolderEntry*>& children = ctx.Results.FatFoldersIn(folder.FirstCluster);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      pending.push_back({(*child)->FirstCluster, path, (*child)->Name});
    }
  }
  return written;
}

}  // namespace engine
