#include "extensive/FoundNtfsTree.h"

#include "extensive/FoundFatTree.h"
#include "extensive/ProgressReporter.h"
#include "extensive/ScanText.h"
#include "ntfs/NtfsFolderTree.h"
#include "ntfs/RecordFields.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

TreeFolderNode FolderRecord(std::u16string name, uint32_t id, uint32_t parentId) {
  TreeFolderNode folder;
  folder.Name = std::move(name);
  folder.Id = id;
  folder.ParentId = parentId;
  return folder;
}

}  // namespace

void BuildFoundNtfsTree(EngineContext& ctx) {
  ReleaseTreeLists(ctx);
  ctx.Host->SetStatusText(Panel::FileSystem, kNtfsExtractingText);
  ProgressReporter progress(ctx, Panel::FileSystem);
  progress.Reset(0);
  uint64_t seen = 0;
  // Folders are filed once all are known, so that cycles among them can be broken.
  std::vector<TreeFolderNode> folders;
  for (const NtfsFolderNode& node : ctx.Results.NtfsFolders) {
    if (StopRequested(ctx)) break;
    ++seen;
    // The root is the tree's "Root" itself.
    if (node.VolumeNumber == ctx.ActiveVolumeNumber && node.OwnId != ntfs::kRootRecord && node.Name != u".") {
      TreeFolderNode folder = FolderRecord(node.Name, node.OwnId, node.ParentId);
      folder.Time1 = node.Time1;
      folder.Time2 = node.Time2;
      folder.Deleted = node.Deleted;
      folders.push_back(std::move(folder));
    }
    progress.Show(seen, ctx.Results.CandidateFolderCount);
  }
  ntfs::AppendFolderTree(ctx, folders);

  uint32_t counter = 0;
  AddLostNtfsParents(ctx, counter);

  const TreeItem root = ctx.Host->ResultTreeInsertItem(u"Root", kTreeRootLevel);
  ctx.Host->SetStatusText(Panel::FileSystem, kNtfsCreatingTreeText);
  ctx.ScanControl.StopOrDone.store(0);
  ctx.Host->SetButton(PageButton::FileSystemStop, ButtonAction::Disable);
  ctx.Host->SetButton(PageButton::FileSystemStop, ButtonAction::Hide);
  ctx.Host->ResultTreeAddNtfsFolders(root, ntfs::kRootRecord);
  ctx.Host->ResultTreeExpand(root);
  ctx.Host->ListSetReportView();
  ctx.ScanControl.StopOrDone.store(1);
  ctx.ScanControl.Running.store(0);
}

void AddLostNtfsParents(EngineContext& ctx, uint32_t& counter) {
  ctx.Host->SetStatusText(Panel::FileSystem, kNtfsLostDataText);
  ProgressReporter progress(ctx, Panel::FileSystem);
  progress.Reset(0);
  AddTreeFolder(ctx, FolderRecord(kLostDirName, kLostDirKey, ntfs::kRootRecord));
  RecordList<TreeFolderNode>& folders = ctx.Results.TreeFolders;
  uint64_t belowOthers = 0;
  // The list grows while it is walked: the parents added are walked too.
  for (size_t i = 0; i < folders.size() && !StopRequested(ctx); ++i) {
    const uint32_t parent = folders[i].ParentId;
    if (parent == ntfs::kRootRecord) continue;
    progress.Show(++belowOthers, ctx.Results.FolderCount);
    if (ctx.Results.FindTreeFolder(parent) != nullptr) continue;
    AddTreeFolder(ctx, FolderRecord(u"Dir" + DecimalText(counter), parent, kLostDirKey));
    counter += 1;
  }
}

}  // namespace engine
