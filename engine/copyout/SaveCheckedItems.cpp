#include "SaveCheckedItems.h"

#include "CarvedFileSaving.h"
#include "FatFileSaving.h"
#include "ReadErrorReport.h"
#include "ntfs/NtfsCopyOut.h"
#include "SaveSession.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

char16_t UpperDriveLetter(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

}  // namespace

void BrowseForSaveFolder(EngineContext& ctx) {
  ctx.SaveControl.TargetFolder.clear();
  std::optional<std::u16string> chosen = ctx.Host->BrowseForFolder(kSaveFolderTitle);
  if (!chosen || chosen->empty()) return;
  std::u16string folder = *chosen;
  const bool driveRoot = folder.size() == 3 && folder[1] == u':' && folder[2] == u'\\';
  while (!driveRoot && folder.size() > 1 && folder.back() == u'\\') folder.pop_back();
  ctx.SaveControl.TargetFolder = folder;
}

namespace {

bool SameDriveLetter(const std::u16string& root, const std::u16string& folder) {
  if (root.size() < 2 || root[1] != u':' || folder.size() < 2 || folder[1] != u':') return false;
  return UpperDriveLetter(root[0]) == UpperDriveLetter(folder[0]);
}

bool ExtentsOverlap(const std::vector<DiskExtent>& a, const std::vector<DiskExtent>& b) {
  for (const DiskExtent& x : a) {
    for (const DiskExtent& y : b) {
      if (x.DiskNumber == y.DiskNumber && x.StartingOffset < y.StartingOffset + y.Length &&
          y.StartingOffset < x.StartingOffset + x.Length) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool TargetIsOnSourceVolume(const EngineContext& ctx, const std::u16string& folder) {
  // Where the target's volume lies on the disks: a folder mounted from the source
  // volume, or any volume of a source disk, is the source whatever its letter.
  const std::vector<DiskExtent> target = ctx.Files != nullptr ? ctx.Files->DiskExtentsOf(folder) : std::vector<DiskExtent>{};
  if (ctx.SourceDevice.SourceKind == kSourceWholeDisk) {
    for (const DiskExtent& extent : target) {
      if (extent.DiskNumber == ctx.SourceDevice.DriveNumber) return true;
    }
    return false;
  }
  if (ctx.SourceDevice.SourceKind != kSourceLogicalDrive) return false;
  const uint16_t index = ctx.SourceSelection.EntryIndex;
  if (index >= ctx.LogicalDriveTable.size()) return false;
  const std::u16string& root = ctx.LogicalDriveTable[index].RootPath;
  if (SameDriveLetter(root, folder)) return true;
  return !target.empty() && ExtentsOverlap(target, ctx.Files->DiskExtentsOf(root));
}

bool ConfirmSaveTarget(EngineContext& ctx, const std::u16string& folder) {
  if (!TargetIsOnSourceVolume(ctx, folder)) return true;
  return AskYesNo(ctx, kTargetOnSourceQuestion);
}

namespace {

void SaveCarvedFiles(EngineContext& ctx, SaveSession& session, const SaveSelection& selection) {
  for (uint32_t id : selection.TickedFileIds) {
    if (SaveStopRequested(ctx)) return;
    const CarvedFile* hit = ctx.Results.FindCarvedFile(id);
    if (hit == nullptr) continue;
    SaveCarvedFile(ctx, session, {ctx.SaveControl.TargetFolder, hit->RunningNumber, true, hit->StartSector,
                                  hit->DisplayName});
  }
}

void SaveFatItems(EngineContext& ctx, SaveSession& session, const SaveSelection& selection) {
  const std::u16string& target = ctx.SaveControl.TargetFolder;
  for (TreeItem item : selection.TickedFolders) {
    if (SaveStopRequested(ctx)) return;
    const FatFolderEntry* folder = ctx.Results.FindFatFolderByTreeItem(item);
    if (folder != nullptr) SaveFatFolder(ctx, session, folder->FirstCluster, target, folder->Name);
  }
  for (uint32_t id : selection.TickedFileIds) {
    if (SaveStopRequested(ctx)) return;
    const FatFileEntry* file = ctx.Results.FindFatFile(id);
    if (file != nullptr) SaveFatFile(ctx, session, FatSaveRequestFor(*file, target));
  }
}

void SaveNtfsItems(EngineContext& ctx, SaveSession& session, const SaveSelection& selection) {
  const std::u16string& target = ctx.SaveControl.TargetFolder;
  for (TreeItem item : selection.TickedFolders) {
    if (SaveStopRequested(ctx)) return;
    const TreeFolderNode* folder = ctx.Results.FindTreeFolderByTreeItem(item);
    if (folder != nullptr) SaveNtfsFolder(ctx, session, folder->Id, target, folder->Name);
  }
  for (uint32_t id : selection.TickedFileIds) {
    if (SaveStopRequested(ctx)) return;
    // The two scans keep NTFS files in lists of their own.
    if (ctx.RecoveryMode == kModeQuickScan) {
      const TreeFileNode* file = ctx.Results.FindTreeFile(id);
      if (file != nullptr) SaveNtfsFile(ctx, session, NtfsSaveRequestFor(*file, target));
    } else {
      const NtfsFileNode* file = ctx.Results.FindNtfsFile(id);
      if (file != nullptr) SaveNtfsFile(ctx, session, NtfsSaveRequestFor(*file, target));
    }
  }
}

}  // namespace

SaveTally SaveCheckedItems(EngineContext& ctx, const SaveSelection& selection) {
  const ReadErrorCounts readErrorsAtStart = BeginReadErrorCount(ctx);
  SaveSession session;
  session.Filters = selection.Filters;
  session.TickedFileCount = selection.TickedFileIds.size();
  if (ConfirmSaveTarget(ctx, ctx.SaveControl.TargetFolder)) {
    const uint16_t code = ctx.ActiveVolume.FileSystemCode;
    if (ctx.RecoveryMode == kModeFileTrace) {
      SaveCarvedFiles(ctx, session, selection);
    } else if (code == kFileSystemFat16 || code == kFileSystemFat32) {
      SaveFatItems(ctx, session, selection);
    } else if (code == kFileSystemNtfs) {
      SaveNtfsItems(ctx, session, selection);
    }
  }
  ctx.Host->ResultTreeUncheckSubtree(selection.ResultTreeRoot);
  ctx.Host->ResultTreeSyncListChecks();
  session.Tally.UnreadableSectors = CurrentReadErrors(ctx).Unreadable - readErrorsAtStart.Unreadable;
  return std::move(session.Tally);
}

}  // namespace engine
