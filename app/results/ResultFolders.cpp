#include "ResultFolders.h"

#include <cwctype>

#include "UiText.h"

namespace results {
namespace {

engine::TreeItem Key(HTREEITEM item) { return reinterpret_cast<engine::TreeItem>(item); }

bool SameTextIgnoringCase(const std::u16string& a, const CString& b) { return ToCString(a).CompareNoCase(b) == 0; }

}  // namespace

ResultKind KindOf(const engine::EngineContext& ctx) {
  if (ctx.RecoveryMode == engine::kModeFileTrace) return ResultKind::FileTrace;
  switch (ctx.ActiveVolume.FileSystemCode) {
    case engine::kFileSystemFat16:
    case engine::kFileSystemFat32:
      return ResultKind::Fat;
    case engine::kFileSystemNtfs:
      return ResultKind::Ntfs;
    default:
      return ResultKind::None;
  }
}

std::optional<uint32_t> FolderKeyOf(engine::EngineContext& ctx, const CTreeCtrl& tree, HTREEITEM item) {
  const bool isRoot = item == tree.GetRootItem();
  switch (KindOf(ctx)) {
    case ResultKind::Fat: {
      const engine::FatFolderEntry* folder = isRoot ? nullptr : ctx.Results.FindFatFolderByTreeItem(Key(item));
      return folder != nullptr ? folder->FirstCluster : kFatRootKey;
    }
    case ResultKind::Ntfs: {
      const engine::TreeFolderNode* folder = isRoot ? nullptr : ctx.Results.FindTreeFolderByTreeItem(Key(item));
      return folder != nullptr ? folder->Id : kNtfsRootKey;
    }
    default:
      return std::nullopt;
  }
}

std::vector<uint32_t> OwnFileIds(engine::EngineContext& ctx, const CTreeCtrl& tree, HTREEITEM item) {
  std::vector<uint32_t> ids;
  const ResultKind kind = KindOf(ctx);
  if (kind == ResultKind::FileTrace) {
    // Hits lie in the extension items, the leaves below the type items.
    const HTREEITEM type = tree.GetParentItem(item);
    if (item == tree.GetRootItem() || type == nullptr || type == tree.GetRootItem()) return ids;
    const CString extension = tree.GetItemText(item);
    const CString typeName = tree.GetItemText(type);
    for (const engine::CarvedFile& hit : ctx.Results.CarvedFiles) {
      CString hitType = ToCString(hit.TypeName);
      hitType.Trim();
      if (SameTextIgnoringCase(hit.Extension, extension) && hitType.CompareNoCase(typeName) == 0)
        ids.push_back(hit.RunningNumber);
    }
    return ids;
  }
  const std::optional<uint32_t> key = FolderKeyOf(ctx, tree, item);
  if (!key) return ids;
  if (kind == ResultKind::Fat) {
    for (const engine::FatFileEntry* file : ctx.Results.FatFilesIn(*key)) ids.push_back(file->FileIndex);
  } else if (ctx.RecoveryMode == engine::kModeQuickScan) {
    for (const engine::TreeFileNode* file : ctx.Results.TreeFilesIn(*key)) ids.push_back(file->DataRecordSector);
  } else {
    for (const engine::NtfsFileNode* file : ctx.Results.NtfsFilesIn(*key)) ids.push_back(file->RecordSector);
  }
  return ids;
}

std::optional<uint32_t> ParentKeyOfFile(engine::EngineContext& ctx, uint32_t fileId) {
  switch (KindOf(ctx)) {
    case ResultKind::Fat:
      if (const engine::FatFileEntry* file = ctx.Results.FindFatFile(fileId)) return file->ParentCluster;
      return std::nullopt;
    case ResultKind::Ntfs:
      if (ctx.RecoveryMode == engine::kModeQuickScan) {
        if (const engine::TreeFileNode* file = ctx.Results.FindTreeFile(fileId)) return file->ParentId;
      } else if (const engine::NtfsFileNode* file = ctx.Results.FindNtfsFile(fileId)) {
        return file->ParentId;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

HTREEITEM FolderItemOfKey(engine::EngineContext& ctx, const CTreeCtrl& tree, uint32_t key) {
  switch (KindOf(ctx)) {
    case ResultKind::Fat:
      if (key == kFatRootKey) return tree.GetRootItem();
      if (const engine::FatFolderEntry* folder = ctx.Results.FindFatFolder(key))
        return reinterpret_cast<HTREEITEM>(folder->TreeItem);
      return nullptr;
    case ResultKind::Ntfs:
      if (key == kNtfsRootKey) return tree.GetRootItem();
      if (const engine::TreeFolderNode* folder = ctx.Results.FindTreeFolder(key))
        return reinterpret_cast<HTREEITEM>(folder->TreeItem);
      return nullptr;
    default:
      return nullptr;
  }
}

bool IsDeletedFolder(engine::EngineContext& ctx, HTREEITEM item) {
  switch (KindOf(ctx)) {
    case ResultKind::Fat:
      if (const engine::FatFolderEntry* folder = ctx.Results.FindFatFolderByTreeItem(Key(item)))
        return folder->Deleted == 1;
      return false;
    case ResultKind::Ntfs:
      if (const engine::TreeFolderNode* folder = ctx.Results.FindTreeFolderByTreeItem(Key(item)))
        return folder->Deleted == 1;
      return false;
    default:
      return false;
  }
}

}  // namespace results
