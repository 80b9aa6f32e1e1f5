#include "CResultTreeCtrl.h"

#include <shellapi.h>

#include <unordered_set>

#include "EngineContext.h"
#include "ResourceIds.h"
#include "ResultFolders.h"
#include "UiText.h"

namespace {

constexpr COLORREF kDeletedColour = RGB(255, 0, 0);

int StateImageOf(int checkState) { return checkState + 1; }

}  // namespace

BOOL CResultTreeCtrl::Create(CWnd* parent) {
  return CTreeCtrl::Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                           CRect(0, 0, 600, 300), parent, kId);
}

void CResultTreeCtrl::InitImages() {
  SHFILEINFOW info{};
  systemImages_ = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
      L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  folderIcon_ = info.iIcon;
  if (systemImages_ != nullptr) SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(systemImages_));
  // Our own boxes, so the control never flips a box by itself: 1 unticked, 2 ticked, 3 partly.
  if (states_.Create(IDB_TREE_STATES, 16, 1, RGB(255, 255, 255)))
    SendMessage(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(states_.GetSafeHandle()));
}

HTREEITEM CResultTreeCtrl::InsertItemWithIcon(const CString& text, HTREEITEM parent) {
  int image = folderIcon_;
  if (parent == nullptr || parent == TVI_ROOT) {
    parent = TVI_ROOT;
    const UINT type = ::GetDriveTypeW(text);
    image = type == DRIVE_CDROM ? 2 : type == DRIVE_REMOVABLE ? (text.Left(1).CompareNoCase(L"A") == 0 ? 4 : 3) : 5;
  }
  HTREEITEM item = InsertItem(text, image, image, parent, TVI_LAST);
  if (item != nullptr) MarkState(item, kUnchecked);
  return item;
}

void CResultTreeCtrl::InsertFolderLevel(HTREEITEM parent, uint32_t key, bool fat, int depth) {
  // Damaged volumes can hold folders that name themselves or an ancestor as parent.
  constexpr int kDeepestLevel = 512;
  if (depth > kDeepestLevel || ctx_.ScanControl.StopOrDone.load() == 1) return;
  engine::ResultStore& store = ctx_.Results;
  if (store.FolderCount == 0) store.FolderCount = 1;
  const auto percent = static_cast<int>(static_cast<uint32_t>(store.TreeItemsBuilt) * 100u /
                                        static_cast<uint32_t>(store.FolderCount));
  store.ProgressPercent = percent >= 100 ? 99 : percent;
  auto insert = [&](auto* folder, uint32_t childKey) {
    if (childKey == key) return;
    ++store.TreeItemsBuilt;
    HTREEITEM item = InsertItemWithIcon(ToCString(folder->Name), parent);
    if (item == nullptr) return;
    store.SetTreeItem(*folder, reinterpret_cast<engine::TreeItem>(item));
    InsertFolderLevel(item, childKey, fat, depth + 1);
  };
  if (fat) {
    const std::vector<engine::FatFolderEntry*> children = store.FatFoldersIn(key);
    for (engine::FatFolderEntry* folder : children) insert(folder, folder->FirstCluster);
  } else {
    const std::vector<engine::TreeFolderNode*> children = store.TreeFoldersIn(key);
    for (engine::TreeFolderNode* folder : children) insert(folder, folder->Id);
  }
}

void CResultTreeCtrl::AddFatFolders(HTREEITEM parent, uint32_t parentCluster) {
  InsertFolderLevel(parent, parentCluster, true, 0);
}

void CResultTreeCtrl::AddNtfsFolders(HTREEITEM parent, uint32_t parentId) {
  InsertFolderLevel(parent, parentId, false, 0);
}

void CResultTreeCtrl::AddFileTypeFolders(HTREEITEM root) {
  auto childWithText = [this](HTREEITEM parent, const CString& text) -> HTREEITEM {
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child))
      if (GetItemText(child) == text) return child;
    HTREEITEM made = InsertItemWithIcon(text, parent);
    ++ctx_.Results.TreeItemsBuilt;
    return made;
  };
  for (const engine::CarvedFile& hit : ctx_.Results.CarvedFiles) {
    if (ctx_.ScanControl.StopOrDone.load() == 1) return;
    CString typeName = ToCString(hit.TypeName);
    CString extension = ToCString(hit.Extension);
    typeName.Trim();
    extension.Trim();
    HTREEITEM type = childWithText(root, typeName);
    if (type != nullptr) childWithText(type, extension);
  }
}

void CResultTreeCtrl::DeleteAllResults() {
  DeleteAllItems();
  maps_.Clear();
}

int CResultTreeCtrl::GetCheckState(HTREEITEM item) const {
  const int image = static_cast<int>(GetItemState(item, TVIS_STATEIMAGEMASK) >> 12);
  return image > 0 ? image - 1 : kUnchecked;
}

void CResultTreeCtrl::MarkState(HTREEITEM item, int state) {
  UINT bits = INDEXTOSTATEIMAGEMASK(StateImageOf(state));
  UINT mask = TVIS_STATEIMAGEMASK;
  if (state != kPartial) {
    // A ticked item is drawn bold; a partly ticked one keeps its weight.
    mask |= TVIS_BOLD;
    if (state == kChecked) bits |= TVIS_BOLD;
  }
  SetItemState(item, bits, mask);
  if (state == kChecked) {
    maps_.CheckedFolderItems.insert(item);
    maps_.CheckedTreeItems.insert(item);
  } else {
    maps_.CheckedFolderItems.erase(item);
    if (state == kUnchecked) maps_.CheckedTreeItems.erase(item);
  }
}

void CResultTreeCtrl::MarkSubtree(HTREEITEM item, bool check) {
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    HTREEITEM current = pending.back();
    pending.pop_back();
    MarkState(current, check ? kChecked : kUnchecked);
    for (uint32_t id : results::OwnFileIds(ctx_, *this, current)) {
      if (check)
        maps_.CheckedFileIds.insert(id);
      else
        maps_.CheckedFileIds.erase(id);
    }
    for (HTREEITEM child = GetChildItem(current); child != nullptr; child = GetNextSiblingItem(child))
      pending.push_back(child);
  }
}

// A folder is ticked when all its files and subfolders are, unticked when none of
// them is (even partly), and partly ticked otherwise. A folder holding nothing
// keeps its own state.
int CResultTreeCtrl::StateFromContents(HTREEITEM item) const {
  bool any = false, all = true, empty = true;
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
    empty = false;
    const int state = GetCheckState(child);
    any = any || state != kUnchecked;
    all = all && state == kChecked;
  }
  for (uint32_t id : results::OwnFileIds(ctx_, *this, item)) {
    empty = false;
    const bool ticked = maps_.CheckedFileIds.count(id) != 0;
    any = any || ticked;
    all = all && ticked;
  }
  if (empty) return GetCheckState(item);
  return all ? kChecked : any ? kPartial : kUnchecked;
}

void CResultTreeCtrl::SettleFrom(HTREEITEM item) {
  for (HTREEITEM folder = item; folder != nullptr; folder = GetParentItem(folder)) {
    const int state = StateFromContents(folder);
    if (state != GetCheckState(folder)) MarkState(folder, state);
  }
}

void CResultTreeCtrl::SetCheck(HTREEITEM item, bool check) {
  if (item == nullptr) return;
  MarkSubtree(item, check);
  SettleFrom(GetParentItem(item));
}

HTREEITEM CResultTreeCtrl::NextPreorder(HTREEITEM item) const {
  if (item == nullptr) return GetRootItem();
  if (HTREEITEM child = GetChildItem(item)) return child;
  for (HTREEITEM up = item; up != nullptr; up = GetParentItem(up))
    if (HTREEITEM next = GetNextSiblingItem(up)) return next;
  return nullptr;
}

void CResultTreeCtrl::CollectItemsToSave() {
  maps_.SaveFolderItems.clear();
  maps_.ListCheckedFileIds.clear();
  const HTREEITEM root = GetRootItem();
  if (root == nullptr) return;
  const bool fileTrace = results::KindOf(ctx_) == results::ResultKind::FileTrace;
  std::unordered_set<HTREEITEM> savedWhole;
  if (!fileTrace) {
    // The top-most ticked folders; the root stands for no folder of its own, so a
    // ticked root gives its folders, and its own files are saved one by one.
    for (HTREEITEM item = GetChildItem(root); item != nullptr;) {
      HTREEITEM next = nullptr;
      if (GetCheckState(item) == kChecked) {
        maps_.SaveFolderItems.push_back(item);
        savedWhole.insert(item);
        for (HTREEITEM up = item; up != nullptr && next == nullptr; up = GetParentItem(up))
          if (up != root) next = GetNextSiblingItem(up);
      } else {
        next = NextPreorder(item);
      }
      item = next;
    }
  }
  for (uint32_t id : maps_.CheckedFileIds) {
    if (!fileTrace) {
      const std::optional<uint32_t> parentKey = results::ParentKeyOfFile(ctx_, id);
      if (!parentKey) continue;
      bool inSavedFolder = false;
      for (HTREEITEM up = results::FolderItemOfKey(ctx_, *this, *parentKey); up != nullptr && !inSavedFolder;
           up = GetParentItem(up))
        inSavedFolder = savedWhole.count(up) != 0;
      if (inSavedFolder) continue;
    }
    maps_.ListCheckedFileIds.push_back(id);
  }
  std::sort(maps_.ListCheckedFileIds.begin(), maps_.ListCheckedFileIds.end());
}

bool CResultTreeCtrl::ClickAt(CPoint client) {
  UINT flags = 0;
  HTREEITEM item = HitTest(client, &flags);
  if (item == nullptr || (flags & TVHT_ONITEMSTATEICON) == 0) return false;
  ToggleCheck(item);
  return true;
}

CString CResultTreeCtrl::GetItemPath(HTREEITEM item) const {
  CString path;
  const HTREEITEM root = GetRootItem();
  for (HTREEITEM up = item; up != nullptr && up != root; up = GetParentItem(up)) {
    CString text = GetItemText(up);
    if (!path.IsEmpty() && text.Right(1) != L"\\") text += L"\\";
    path = text + path;
  }
  return path;
}

LRESULT CResultTreeCtrl::OnCustomDraw(NMTVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      HTREEITEM item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
      const bool selectedWithFocus = (draw->nmcd.uItemState & CDIS_SELECTED) != 0 && ::GetFocus() == m_hWnd;
      if (!selectedWithFocus && results::IsDeletedFolder(ctx_, item)) {
        draw->clrText = kDeletedColour;
        draw->clrTextBk = ::GetSysColor(COLOR_WINDOW);
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}
