// Renaming a row of the results list: the label edit, and the new name given to
// the record behind the row, so that the file is saved, previewed and found under
// it. A folder row renames its tree item and its folder record as well.
#include "CResultListCtrl.h"

#include "CResultTreeCtrl.h"
#include "EngineContext.h"
#include "ResultFolders.h"
#include "UiText.h"

void CResultListCtrl::BeginRename() {
  const int row = static_cast<int>(SendMessage(LVM_GETSELECTIONMARK));
  if (row < 0 || (GetStyle() & LVS_EDITLABELS) == 0) return;
  SetFocus();
  SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(row));
}

bool CResultListCtrl::RenameBegun(int row) {
  // The way up and File Trace's type rows stand for no record.
  if (row < 0 || IsParentRow(row)) return false;
  renameOldName_ = GetItemText(row, 0);
  renameRow_ = row;
  return true;
}

void CResultListCtrl::RenameEnded(int row, const wchar_t* text) {
  if (row < 0 || row != renameRow_) return;
  renameRow_ = -1;
  const CString name = text != nullptr && text[0] != L'\0' ? CString(text) : renameOldName_;
  SetItemText(row, 0, name);
  if (name == renameOldName_) return;
  engine::ResultStore& store = ctx_.Results;
  const std::u16string newName = ToU16(name);
  if (ctx_.RecoveryMode == engine::kModeFileTrace) {
    if (IsTypeRow(row)) return;
    if (const std::optional<uint64_t> id = RowId(row); id && *id <= UINT32_MAX)
      if (engine::CarvedFile* hit = store.FindCarvedFile(static_cast<uint32_t>(*id))) hit->DisplayName = newName;
    return;
  }
  if (IsFolderRow(row)) {
    HTREEITEM item = FolderItemOfRow(row);
    if (item == nullptr) return;
    const auto treeItem = reinterpret_cast<engine::TreeItem>(item);
    if (tree_ != nullptr) tree_->SetItemText(item, name);
    if (engine::FatFolderEntry* folder = store.FindFatFolderByTreeItem(treeItem)) folder->Name = newName;
    if (engine::TreeFolderNode* folder = store.FindTreeFolderByTreeItem(treeItem)) folder->Name = newName;
    return;
  }
  const std::optional<uint64_t> id = RowId(row);
  if (!id || *id > UINT32_MAX) return;
  const auto key = static_cast<uint32_t>(*id);
  switch (results::KindOf(ctx_)) {
    case results::ResultKind::Fat:
      if (engine::FatFileEntry* file = store.FindFatFile(key)) file->Name = newName;
      break;
    case results::ResultKind::Ntfs:
      if (ctx_.RecoveryMode == engine::kModeQuickScan) {
        if (engine::TreeFileNode* file = store.FindTreeFile(key)) file->Name = newName;
      } else if (engine::NtfsFileNode* file = store.FindNtfsFile(key)) {
        file->Name = newName;
      }
      break;
    default:
      break;
  }
}
