#include "CFileTypeTreeCtrl.h"

#include <shellapi.h>

#include "ResourceIds.h"
#include "UiText.h"

BEGIN_MESSAGE_MAP(CFileTypeTreeCtrl, CTreeCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYUP()
  ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownReflect)
END_MESSAGE_MAP()

namespace {

// The small icon of the system image list for a name, or for a folder.
int SmallIconFor(const CString& name, bool folder) {
  SHFILEINFOW info{};
  const DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  ::SHGetFileInfoW(folder ? L"folder" : static_cast<const wchar_t*>(name), attributes, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  return info.iIcon;
}

}  // namespace

void CFileTypeTreeCtrl::InitTree() {
  SHFILEINFOW info{};
  auto systemImages = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
      L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  folderIcon_ = info.iIcon;
  if (systemImages != nullptr) SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(systemImages));
  // Our own boxes replace the control's, so a click never flips one by itself.
  if (states_.Create(IDB_TREE_STATES, 16, 1, RGB(255, 255, 255)))
    SendMessage(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(states_.GetSafeHandle()));
  root_ = FindOrAddChild(L"File Types", TVI_ROOT);
}

HTREEITEM CFileTypeTreeCtrl::FindOrAddChild(const CString& text, HTREEITEM parent) {
  const bool topLevel = parent == nullptr || parent == TVI_ROOT;
  for (HTREEITEM child = GetChildItem(topLevel ? TVI_ROOT : parent); child != nullptr;
       child = GetNextSiblingItem(child)) {
    if (GetItemText(child) == text) return child;
  }
  const bool folder = topLevel || text.Left(1) != L".";
  const int image = folder ? folderIcon_ : SmallIconFor(text, false);
  HTREEITEM item = InsertItem(text, image, image, topLevel ? TVI_ROOT : parent, TVI_LAST);
  if (item != nullptr) MarkUnchecked(item);
  return item;
}

void CFileTypeTreeCtrl::AddTypeItem(const CString& category, const CString& extension) {
  if (root_ == nullptr) return;
  if (HTREEITEM categoryItem = FindOrAddChild(category, root_)) FindOrAddChild(extension, categoryItem);
}

int CFileTypeTreeCtrl::AddSignature(const engine::SignatureRecord& record) {
  signatures_.insert(signatures_.begin(), record);
  return 1;
}

void CFileTypeTreeCtrl::SetStateImage(HTREEITEM item, int image) {
  SetItemState(item, INDEXTOSTATEIMAGEMASK(image), TVIS_STATEIMAGEMASK);
}

void CFileTypeTreeCtrl::MarkUnchecked(HTREEITEM item) {
  SetStateImage(item, kUnchecked + 1);
  SetItemState(item, 0, TVIS_BOLD);
}

void CFileTypeTreeCtrl::MarkChecked(HTREEITEM item) {
  SetStateImage(item, kChecked + 1);
  SetItemState(item, TVIS_BOLD, TVIS_BOLD);
}

void CFileTypeTreeCtrl::MarkPartial(HTREEITEM item) { SetStateImage(item, kPartial + 1); }

int CFileTypeTreeCtrl::GetCheckState(HTREEITEM item) const {
  return static_cast<int>((GetItemState(item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12) - 1;
}

bool CFileTypeTreeCtrl::NoChildChecked(HTREEITEM item) const {
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
    if (GetCheckState(child) != kUnchecked) return false;
  }
  return true;
}

// Each ancestor takes its state from its children. After a tick it is ticked when
// none is unticked (a partly ticked child counts as ticked); after an untick it is
// ticked only when all are ticked, so a root over a partly ticked category never
// looks complete; unticked when none has a tick of any kind; otherwise partly.
void CFileTypeTreeCtrl::SettleAncestors(HTREEITEM item, bool afterUncheck) {
  for (HTREEITEM parent = GetParentItem(item); parent != nullptr; parent = GetParentItem(parent)) {
    bool anyUnchecked = false;
    bool anyPartial = false;
    bool anySet = false;
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child)) {
      const int state = GetCheckState(child);
      (state == kUnchecked ? anyUnchecked : anySet) = true;
      if (state == kPartial) anyPartial = true;
    }
    if (!anyUnchecked && !(afterUncheck && anyPartial))
      MarkChecked(parent);
    else if (afterUncheck && !anySet)
      MarkUnchecked(parent);
    else
      MarkPartial(parent);
  }
}

void CFileTypeTreeCtrl::CheckWithPropagation(HTREEITEM item) {
  MarkChecked(item);
  if (item != root_) SettleAncestors(item, false);
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
    CheckWithPropagation(child);
}

void CFileTypeTreeCtrl::UncheckWithPropagation(HTREEITEM item) {
  MarkUnchecked(item);
  if (item != root_) SettleAncestors(item, true);
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
    MarkUnchecked(child);
    UncheckWithPropagation(child);
  }
}

void CFileTypeTreeCtrl::ToggleCheck(HTREEITEM item) {
  if (item == nullptr) return;
  if (GetCheckState(item) != kUnchecked)
    UncheckWithPropagation(item);
  else
    CheckWithPropagation(item);
}

void CFileTypeTreeCtrl::ToggleRoot() {
  if (root_ != nullptr) Expand(root_, TVE_TOGGLE);
}

std::vector<engine::FileTypeTreeItem> CFileTypeTreeCtrl::VisitedItems() const {
  std::vector<engine::FileTypeTreeItem> items;
  if (root_ == nullptr) return items;
  for (HTREEITEM category = GetChildItem(root_); category != nullptr; category = GetNextSiblingItem(category)) {
    items.push_back({ToU16(GetItemText(category)), GetCheckState(category) + 1});
    for (HTREEITEM extension = GetChildItem(category); extension != nullptr;
         extension = GetNextSiblingItem(extension))
      items.push_back({ToU16(GetItemText(extension)), GetCheckState(extension) + 1});
  }
  return items;
}

void CFileTypeTreeCtrl::OnLButtonDown(UINT /*flags*/, CPoint point) {
  UINT where = 0;
  HTREEITEM item = HitTest(point, &where);
  // The frame's chosen node stays the source the scan page starts from: a click in
  // this dialog must not make Next refuse a source already chosen.
  if (item == nullptr) return;
  if (where & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMRIGHT)) {
    SelectItem(item);
    SetFocus();
  } else if (where & TVHT_ONITEMSTATEICON) {
    ToggleCheck(item);
  } else {
    Expand(item, TVE_TOGGLE);
  }
}

void CFileTypeTreeCtrl::OnRButtonDown(UINT /*flags*/, CPoint point) {
  if (HTREEITEM item = HitTest(point)) {
    SelectItem(item);
    SetFocus();
  }
}

void CFileTypeTreeCtrl::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  if (HTREEITEM caret = GetSelectedItem()) SelectItem(caret);
  SetFocus();
  CTreeCtrl::OnKeyUp(key, repeat, flags);
}

void CFileTypeTreeCtrl::OnKeyDownReflect(NMHDR*, LRESULT* result) { *result = 0; }
