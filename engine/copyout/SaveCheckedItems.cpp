#include "SaveCheckedItems.h"

#include "CarvedFileSaving.h"
#include "FatFileSaving.h"
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

bool TargetIsOnSourceVolume(const EngineContext& ctx, const std::u16string& folder) {
  if (ctx.SourceDevice.SourceKind != kSourceLogicalDrive) return false;
  const uint16_t index = ctx.SourceSelection.EntryIndex;
  if (index >= ctx.LogicalDriveTable.size()) return false;
  const std::u16string& root = ctx.LogicalDriveTable[index].RootPath;
  if (root.size() < 2 || root[1] != u':' || folder.size() < 2 || folder[1] != u':') return false;
  return UpperDriveLetter(root[0]) == UpperDriveLetter(folder[0]);
}

bool ConfirmSaveTarget(EngineContext& ctx, const std::u16string& folder) {
  if (!TargetIsOnSourceVolume(ctx, folder)) return true;
  return AskYesNo(ctx, kTargetOnSourceQuestion);
}

uint64_t SaveCheckedItems(EngineContext& ctx, const SaveSelection& selection) {
  SaveSession session;
  session.Filters = selection.Filters;
  session.TickedFileCount = selection.TickedFileIds.size();
  const std::u16string& target = ctx.SaveControl.TargetFolder;
  uint64_t written = 0;

  if (ConfirmSaveTarget(ctx, target)) {
    if (ctx.RecoveryMode == kModeFileTrace) {
      for (uint32_t id : selection.TickedFileIds) {
        if (SaveStopRequested(ctx)) break;
        const CarvedFile* hit = ctx.Results.FindCarvedFile(id);
        if (hit == nullptr) continue;
        written += SaveCarvedFile(ctx, session, {target, hit->RunningNumber, true, hit->StartSector, hit->DisplayName});
      }
    } else if (ctx.ActiveVolume.FileSystemCode == kFileSystemFat16 ||
               ctx.ActiveVolume.FileSystemCode == kFileSystemFat32) {
      for (TreeItem item : selection.TickedFolders) {
        if (SaveStopRequested(ctx)) break;
        const FatFolderEntry* folder = ctx.Results.FindFatFolderByTreeItem(item);
        if (folder == nullptr) continue;
        written += SaveFatFolder(ctx, session, folder->FirstCluster, target, folder->Name);
      }
      for (uint32_t id : selection.TickedFileIds) {
        if (SaveStopRequested(ctx)) break;
        const FatFileEntry* file = ctx.Results.FindFatFile(id);
        if (file == nullptr) continue;
        FatFileSaveRequest request;
        request.TargetFolder = target;
        request.FileIndex = file->FileIndex;
        request.FirstCluster = file->FirstCluster;
        request.Size = file->Size;
        request.Name = file->Name;
        request.Deleted = file->Deleted;
        request.WriteDate = file->WriteDate;
        written += SaveFatFile(ctx, session, request);
      }
    }
  }
  ctx.Host->ResultTreeUncheckSubtree(selection.ResultTreeRoot);
  ctx.Host->ResultTreeSyncListChecks();
  return written;
}

}  // namespace engine
