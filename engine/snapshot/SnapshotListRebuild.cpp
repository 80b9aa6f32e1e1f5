#include "snapshot/SnapshotListRebuild.h"

#include <unordered_set>
#include <vector>

#include "listing/FatListing.h"
#include "ntfs/NtfsListing.h"
#include "signatures/CarvedFileListing.h"
#include "snapshot/FolderTreeRepair.h"

namespace engine::snapshot {
namespace {

// Makes the folders' links a tree (see FolderTreeRepair.h) and writes the
// repaired keys back into the records.
template <class Folder, class File, class KeyOf, class ParentOf, class FileParentOf>
bool RepairFolders(std::vector<Folder>& folders, const std::vector<File>& files, uint32_t rootKey,
                   DuplicateKeys duplicates, KeyOf keyOf, ParentOf parentOf, FileParentOf fileParentOf) {
  std::vector<FolderLink> links;
  links.reserve(folders.size());
  for (Folder& folder : folders) links.push_back({keyOf(folder), parentOf(folder)});
  std::unordered_set<uint32_t> fileParents;
  for (const File& file : files) fileParents.insert(fileParentOf(file));
  const FolderRepairResult repair = RepairFolderLinks(links, rootKey, duplicates, fileParents);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    keyOf(folders[i]) = links[i].Key;
    parentOf(folders[i]) = links[i].Parent;
  }
  return repair.NeedsLostDir;
}

// Where every finished result road begins: a fresh "Root", counters at 0, the scan
// page's Stop gone.
TreeItem BeginResultTree(EngineContext& ctx) {
  EngineHost& host = *ctx.Host;
  const TreeItem root = host.ResultTreeInsertItem(u"Root", kTreeRootLevel);
  ctx.Results.TreeItemsBuilt = 0;
  ctx.Results.ProgressPercent = 0;
  ctx.ScanControl.StopOrDone = 0;
  host.SetButton(PageButton::ScanStop, ButtonAction::Disable);
  host.SetButton(PageButton::ScanStop, ButtonAction::Hide);
  return root;
}

}  // namespace

void LoadProgress::Step(std::size_t done, std::size_t count) {
  if (count == 0) return;
  const int percent = static_cast<int>(static_cast<uint64_t>(done) * 100 / count);
  if (percent == last_) return;
  last_ = percent;
  host_.SetProgressDialogPos(percent);
}

void AppendFatRecords(EngineContext& ctx, SnapshotContents& contents, LoadProgress& progress) {
  // AddFatFolder keeps the first folder of a first cluster, so duplicates are dropped.
  const bool needsLostDir = RepairFolders(
      contents.FatFolders, contents.FatFiles, kFatRootCluster, DuplicateKeys::DroppedByAppender,
      [](FatFolderEntry& f) -> uint32_t& { return f.FirstCluster; },
      [](FatFolderEntry& f) -> uint32_t& { return f.ParentCluster; },
      [](const FatFileEntry& f) { return f.ParentCluster; });
  ResultStore& results = ctx.Results;
  results.FolderCount = 0;
  const std::size_t folderCount = contents.FatFolders.size();
  for (std::size_t i = 0; i < folderCount; ++i) {
    AddFatFolder(ctx, std::move(contents.FatFolders[i]));
    progress.Step(i + 1, folderCount);
  }
  if (needsLostDir) AddFatFolder(ctx, FatFolderEntry{kLostDirName, kLostDirKey, kFatRootCluster, 0, 0, 0, 0});
  results.FileCount = 0;
  const std::size_t fileCount = contents.FatFiles.size();
  for (std::size_t i = 0; i < fileCount; ++i) {
    AddFatFile(ctx, std::move(contents.FatFiles[i]));  // numbered afresh from FileCount
    ++results.FileCount;
    progress.Step(i + 1, fileCount);
  }
}

void AppendNtfsRecords(EngineContext& ctx, SnapshotContents& contents, LoadProgress& progress) {
  // In Extensive Scan mode AddTreeFolder keeps one folder per id; in Quick Scan
  // mode it appends every one, so the repair gives later duplicates keys of their own.
  const DuplicateKeys duplicates =
      ctx.RecoveryMode == kModeExtensiveScan ? DuplicateKeys::DroppedByAppender : DuplicateKeys::KeptByAppender;
  const bool needsLostDir = RepairFolders(
      contents.NtfsFolders, contents.NtfsFiles, kNtfsRootFolderId, duplicates,
      [](TreeFolderNode& f) -> uint32_t& { return f.Id; }, [](TreeFolderNode& f) -> uint32_t& { return f.ParentId; },
      [](const TreeFileNode& f) { return f.ParentId; });
  ResultStore& results = ctx.Results;
  results.FolderCount = 0;
  const std::size_t folderCount = contents.NtfsFolders.size();
  for (std::size_t i = 0; i < folderCount; ++i) {
    AddTreeFolder(ctx, std::move(contents.NtfsFolders[i]));
    progress.Step(i + 1, folderCount);
  }
  if (needsLostDir) AddTreeFolder(ctx, TreeFolderNode{kLostDirName, kLostDirKey, kNtfsRootFolderId, 0, 0, 0, 0});
  const std::size_t fileCount = contents.NtfsFiles.size();
  results.FileCount = static_cast<int32_t>(fileCount);
  for (std::size_t i = 0; i < fileCount; ++i) {
    AddTreeFile(ctx, std::move(contents.NtfsFiles[i]));
    progress.Step(i + 1, fileCount);
  }
}

void AppendFileTraceRecords(EngineContext& ctx, SnapshotContents& contents, LoadProgress& progress) {
  ResultStore& results = ctx.Results;
  results.FolderCount = 0;
  const std::size_t signatureCount = contents.Signatures.size();
  for (std::size_t i = 0; i < signatureCount; ++i) {
    AppendSelectedSignature(ctx, std::move(contents.Signatures[i]));
    ++results.SelectedSignatureCount;
    progress.Step(i + 1, signatureCount);
  }
  results.FileCount = 0;
  const std::size_t hitCount = contents.Hits.size();
  for (std::size_t i = 0; i < hitCount; ++i) {
    AppendCarvedFile(ctx, std::move(contents.Hits[i]));
    ++results.FileCount;
    progress.Step(i + 1, hitCount);
  }
}

void BuildFatResults(EngineContext& ctx, const FileFilterTable& filters) {
  EngineHost& host = *ctx.Host;
  const TreeItem root = BeginResultTree(ctx);
  host.ResultTreeAddFatFolders(root, kFatRootCluster);
  host.ResultTreeExpand(root);
  host.ListSetReportView();
  FillFileListFromFat(ctx, kFatRootCluster, filters);
}

void BuildNtfsResults(EngineContext& ctx, const FileFilterTable& filters) {
  EngineHost& host = *ctx.Host;
  const TreeItem root = BeginResultTree(ctx);
  host.ResultTreeAddNtfsFolders(root, kNtfsRootFolderId);
  host.ResultTreeExpand(root);
  host.ListSetReportView();
  // The tree lists hold the files now, whatever scan made the snapshot.
  ctx.RecoveryMode = kModeQuickScan;
  FillFileListFromTree(ctx, kNtfsRootFolderId, filters);
}

void BuildFileTraceResults(EngineContext& ctx) {
  EngineHost& host = *ctx.Host;
  const TreeItem root = BeginResultTree(ctx);
  host.ResultTreeAddFileTypeFolders(root, u"Root");
  host.ResultTreeExpand(root);
  host.ListSetReportView();
  RefillCarvedFileList(ctx);
  ctx.ScanControl.StopOrDone = 0;
}

}  // namespace engine::snapshot
