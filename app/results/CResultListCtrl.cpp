#include "CResultListCtrl.h"

#include <shellapi.h>

#include "CResultTreeCtrl.h"
#include "EngineContext.h"
#include "ResourceIds.h"
#include "ResultFolders.h"

namespace {

constexpr COLORREF kDeletedText = RGB(255, 0, 0);
constexpr COLORREF kParentBackground = RGB(255, 202, 149);
constexpr int kNoBox = 0, kUncheckedBox = 1, kCheckedBox = 2;

int SmallIconOfName(const CString& name, bool folder) {
  SHFILEINFOW info{};
  ::SHGetFileInfoW(name, folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  return info.iIcon;
}

}  // namespace

CResultListCtrl::CResultListCtrl(engine::EngineContext& ctx) : ctx_(ctx) {
  boldFont_.CreateFont(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

CResultListCtrl::~CResultListCtrl() = default;

BOOL CResultListCtrl::Create(CWnd* parent, bool editLabels) {
  if (!CListCtrl::Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                             (editLabels ? LVS_EDITLABELS : 0),
                         CRect(0, 0, 0, 0), parent, kId))
    return FALSE;
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  SHFILEINFOW info{};
  auto images = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
      L"file", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  // The system's list is shared: the list must not destroy it.
  ModifyStyle(0, LVS_SHAREIMAGELISTS);
  if (images != nullptr) SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  // Our own boxes, so the control never flips a box by itself.
  if (states_.Create(IDB_LIST_STATES, 16, 1, RGB(255, 255, 255)))
    SendMessage(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(states_.GetSafeHandle()));
  return TRUE;
}

// The system's icon depends on the extension alone here, and asking the shell for
// every row of a long list costs more than the row itself.
int CResultListCtrl::SmallIconOf(const CString& name, bool folder) {
  const int dot = name.ReverseFind(L'.');
  CString key = folder ? CString(L"/") : dot >= 0 ? name.Mid(dot) : CString();
  key.MakeUpper();
  const std::wstring text(static_cast<LPCWSTR>(key));
  auto known = iconByExtension_.find(text);
  if (known != iconByExtension_.end()) return known->second;
  const int icon = SmallIconOfName(name, folder);
  iconByExtension_.emplace(text, icon);
  return icon;
}

void CResultListCtrl::AddRow(const CString& name, const CString& type, const CStringArray& columns) {
  const bool folder = type == L"Folder" || type == L"Deleted Folder" ||
                      (columns.GetSize() > 0 && columns[0] == L"-");
  const int row = InsertItem(GetItemCount(), name, SmallIconOf(name, folder || name == L"Parent..."));
  if (row < 0) return;
  SetItemText(row, 1, type);
  for (int column = 0; column < static_cast<int>(columns.GetSize()); ++column)
    SetItemText(row, column + 2, columns[column]);
  SetItemState(row, INDEXTOSTATEIMAGEMASK(IsParentRow(row) ? kNoBox : kUncheckedBox), LVIS_STATEIMAGEMASK);
}

BOOL CResultListCtrl::PreTranslateMessage(MSG* message) {
  if (message->message == WM_KEYDOWN && message->hwnd == m_hWnd) {
    switch (message->wParam) {
      case VK_TAB:
        if (tree_ != nullptr && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0) {
          tree_->SetFocus();
          return TRUE;
        }
        break;
      case VK_F2:
        BeginRename();
        return TRUE;
      case VK_APPS:
        if (contextMenu_ && SendMessage(LVM_GETSELECTIONMARK) >= 0) contextMenu_();
        return TRUE;
      default:
        break;
    }
  }
  return CListCtrl::PreTranslateMessage(message);
}

int CResultListCtrl::IdColumn() const { return ctx_.RecoveryMode == engine::kModeFileTrace ? 2 : 5; }

bool CResultListCtrl::IsParentRow(int row) const { return GetItemText(row, 0).CompareNoCase(L"Parent...") == 0; }

bool CResultListCtrl::IsFolderRow(int row) const {
  const CString type = GetItemText(row, 1);
  return type.CompareNoCase(L"Folder") == 0 || type.CompareNoCase(L"Deleted Folder") == 0;
}

bool CResultListCtrl::IsTypeRow(int row) const {
  return ctx_.RecoveryMode == engine::kModeFileTrace && GetItemText(row, IdColumn()) == L"-";
}

std::optional<uint64_t> CResultListCtrl::RowId(int row) const {
  const CString text = GetItemText(row, IdColumn());
  if (text.IsEmpty()) return std::nullopt;
  uint64_t value = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    const wchar_t c = text[i];
    if (c < L'0' || c > L'9') return std::nullopt;
    if (value > (UINT64_MAX - 9) / 10) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - L'0');
  }
  return value;
}

HTREEITEM CResultListCtrl::FolderItemOfRow(int row) const {
  if (!IsFolderRow(row)) return nullptr;
  const std::optional<uint64_t> id = RowId(row);
  return id ? reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(*id)) : nullptr;
}

bool CResultListCtrl::IsRowChecked(int row) const {
  return (GetItemState(row, LVIS_STATEIMAGEMASK) >> 12) == static_cast<UINT>(kCheckedBox);
}

void CResultListCtrl::SetRowChecked(int row, bool checked) {
  if (IsParentRow(row)) return;
  SetItemState(row, INDEXTOSTATEIMAGEMASK(checked ? kCheckedBox : kUncheckedBox), LVIS_STATEIMAGEMASK);
}

void CResultListCtrl::SyncChecks() {
  const int rows = GetItemCount();
  for (int row = 0; row < rows; ++row) {
    if (IsParentRow(row)) {
      SetItemState(row, INDEXTOSTATEIMAGEMASK(kNoBox), LVIS_STATEIMAGEMASK);
      continue;
    }
    bool checked = false;
    if (IsTypeRow(row)) {
      for (HTREEITEM item = tree_ != nullptr ? tree_->GetChildItem(tree_->GetRootItem()) : nullptr;
           item != nullptr && !checked; item = tree_->GetNextSiblingItem(item))
        checked = tree_->GetItemText(item) == GetItemText(row, 0) && tree_->GetCheckState(item) == 1;
    } else if (IsFolderRow(row)) {
      checked = maps_.CheckedFolderItems.count(FolderItemOfRow(row)) != 0;
    } else if (const std::optional<uint64_t> id = RowId(row)) {
      checked = *id <= UINT32_MAX && maps_.CheckedFileIds.count(static_cast<uint32_t>(*id)) != 0;
    }
    SetRowChecked(row, checked);
  }
}

bool CResultListCtrl::ClickAt(CPoint client) {
  LVHITTESTINFO hit{};
  hit.pt = client;
  const int row = HitTest(&hit);
  if (row < 0 || (hit.flags & LVHT_ONITEMSTATEICON) == 0 || IsParentRow(row) || tree_ == nullptr) return false;
  const bool check = !IsRowChecked(row);
  if (IsTypeRow(row)) {
    for (HTREEITEM item = tree_->GetChildItem(tree_->GetRootItem()); item != nullptr;
         item = tree_->GetNextSiblingItem(item))
      if (tree_->GetItemText(item) == GetItemText(row, 0)) tree_->SetCheck(item, check);
  } else if (IsFolderRow(row)) {
    if (HTREEITEM item = FolderItemOfRow(row)) tree_->SetCheck(item, check);
  } else if (const std::optional<uint64_t> id = RowId(row); id && *id <= UINT32_MAX) {
    const auto fileId = static_cast<uint32_t>(*id);
    if (check)
      maps_.CheckedFileIds.insert(fileId);
    else
      maps_.CheckedFileIds.erase(fileId);
    // The folder on show (the tree's selection) holds the row.
    tree_->FileCheckChanged(tree_->GetSelectedItem() != nullptr ? tree_->GetSelectedItem() : tree_->GetRootItem());
  }
  SyncChecks();
  Invalidate(TRUE);
  return true;
}

LRESULT CResultListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      if (ClearPreviewOnPaint != 0) {
        ClearPreviewOnPaint = 0;
        ShowPreviewOfFile(CString(), 1);
      }
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const int row = static_cast<int>(draw->nmcd.dwItemSpec);
      draw->clrText = RGB(0, 0, 0);
      draw->clrTextBk = RGB(255, 255, 255);
      if (GetItemText(row, 1).Left(7) == L"Deleted") {
        draw->clrText = kDeletedText;
      } else if (IsParentRow(row)) {
        draw->clrText = kDeletedText;
        draw->clrTextBk = kParentBackground;
      }
      if (IsRowChecked(row)) {
        ::SelectObject(draw->nmcd.hdc, boldFont_.GetSafeHandle());
        return CDRF_NEWFONT;
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}
