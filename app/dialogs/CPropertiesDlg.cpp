#include "CPropertiesDlg.h"

#include <iterator>
#include <vector>

#include "CRecoveryApp.h"
#include "CThirdView_HDD.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "listing/DateText.h"

BEGIN_MESSAGE_MAP(CPropertiesDlg, CDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr UINT kLabelIds[] = {IDC_PROPS_NAME_CAPTION, IDC_PROPS_SIZE_CAPTION,    IDC_PROPS_CONTAINS_CAPTION,
                              IDC_PROPS_CREATED_CAPTION, IDC_PROPS_MODIFIED_CAPTION, IDC_PROPS_NAME,
                              IDC_PROPS_CREATED,         IDC_PROPS_MODIFIED,         IDC_PROPS_SIZE,
                              IDC_PROPS_CONTAINS};

}  // namespace

PropertiesRequestRecord& PropertiesRequest() {
  static PropertiesRequestRecord request;
  return request;
}

dialogs::SelectionTotals& SelectionTotals() {
  static dialogs::SelectionTotals totals;
  return totals;
}

void CountTreeItems(HTREEITEM item) {
  auto* results = dynamic_cast<CThirdView_HDD*>(RecoveryApp().Pages[kResultsPage]);
  if (item == nullptr || results == nullptr) return;
  CResultTreeCtrl& tree = results->Tree();
  // Depth first with an explicit stack: a deep tree of a damaged disk cannot
  // exhaust the thread's stack.
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    HTREEITEM current = pending.back();
    pending.pop_back();
    dialogs::CountTreeItem(wizard::Engine(), reinterpret_cast<engine::TreeItem>(current), SelectionTotals());
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = tree.GetChildItem(current); child != nullptr; child = tree.GetNextSiblingItem(child))
      children.push_back(child);
    pending.insert(pending.end(), children.rbegin(), children.rend());
  }
}

CPropertiesDlg::CPropertiesDlg(CWnd* parent)
    : CDialog(IDD_PROPERTIES, parent), skin_(LoadSkinBitmap(IDB_SKIN_PROPERTIES)) {}

CPropertiesDlg::~CPropertiesDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CPropertiesDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  for (size_t i = 0; i < std::size(kLabelIds); ++i) DDX_Control(exchange, kLabelIds[i], labels_[i]);
}

BOOL CPropertiesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillProperties();
  return TRUE;
}

void CPropertiesDlg::FillProperties() {
  const PropertiesRequestRecord& request = PropertiesRequest();
  SetDlgItemText(IDC_PROPS_NAME, request.Name);
  SetDlgItemText(IDC_PROPS_CREATED, request.FirstDateText);
  SetDlgItemText(IDC_PROPS_MODIFIED, request.SecondDateText);
  if (request.IsFolder == 0) {
    SetDlgItemText(IDC_PROPS_SIZE, request.SizeText);
    return;
  }
  dialogs::SelectionTotals& totals = SelectionTotals();
  totals.FileCount = 0;
  totals.ByteCount = 0;
  totals.FolderCount = 0;
  CountTreeItems(reinterpret_cast<HTREEITEM>(request.ItemId));
  SetDlgItemText(IDC_PROPS_CONTAINS, ToCString(dialogs::ContainsText(totals)));
  SetDlgItemText(IDC_PROPS_SIZE, ToCString(dialogs::FolderSizeText(totals.ByteCount)));
}

BOOL CPropertiesDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}

namespace {

// A row of the results list: its texts, its size in whole KB plus one.
bool RequestFromRow(CResultListCtrl& list, PropertiesRequestRecord& request) {
  const int row = list.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0 || list.IsParentRow(row)) return false;
  request.IsFolder = list.IsFolderRow(row) ? 1 : 0;
  request.ItemId = static_cast<uintptr_t>(list.RowId(row).value_or(0));
  request.Name = list.GetItemText(row, 0);
  uint64_t bytes = 0;
  const CString size = list.GetItemText(row, 2);
  for (int i = 0; i < size.GetLength() && size[i] >= L'0' && size[i] <= L'9' && bytes < UINT64_MAX / 10 - 9; ++i)
    bytes = bytes * 10 + static_cast<uint64_t>(size[i] - L'0');
  request.SizeText.Format(L"%llu KB", static_cast<unsigned long long>(bytes / 1024 + 1));
  request.FirstDateText = list.GetItemText(row, 3);
  request.SecondDateText = list.GetItemText(row, 4);
  return true;
}

// A folder of the results tree, with the dates of its folder record.
void RequestFromTreeItem(CResultTreeCtrl& tree, HTREEITEM item, PropertiesRequestRecord& request) {
  engine::EngineContext& ctx = wizard::Engine();
  request.IsFolder = 1;
  request.ItemId = reinterpret_cast<uintptr_t>(item);
  request.Name = tree.GetItemText(item);
  request.FirstDateText.Empty();
  request.SecondDateText.Empty();
  const auto key = reinterpret_cast<engine::TreeItem>(item);
  if (ctx.ActiveVolume.FileSystemCode == engine::kFileSystemNtfs) {
    if (const engine::TreeFolderNode* folder = ctx.Results.FindTreeFolderByTreeItem(key)) {
      request.FirstDateText = ToCString(engine::FormatFileTime(static_cast<uint32_t>(folder->Time1),
                                                               static_cast<uint32_t>(folder->Time1 >> 32)));
      request.SecondDateText = ToCString(engine::FormatFileTime(static_cast<uint32_t>(folder->Time2),
                                                                static_cast<uint32_t>(folder->Time2 >> 32)));
    }
  } else if (const engine::FatFolderEntry* folder = ctx.Results.FindFatFolderByTreeItem(key)) {
    request.FirstDateText = ToCString(engine::FormatFatDate(folder->WriteDate));
    request.SecondDateText = ToCString(engine::FormatFatDate(folder->AccessDate));
  }
}

}  // namespace

void ShowResultProperties(CWnd* parent) {
  auto* results = dynamic_cast<CThirdView_HDD*>(RecoveryApp().Pages[kResultsPage]);
  if (results == nullptr || results->Tree().GetSafeHwnd() == nullptr) return;
  PropertiesRequestRecord& request = PropertiesRequest();
  const bool listFocused = ::GetFocus() == results->List().GetSafeHwnd();
  if (!(listFocused && RequestFromRow(results->List(), request))) {
    HTREEITEM item = results->Tree().GetSelectedItem();
    if (item == nullptr) return;
    RequestFromTreeItem(results->Tree(), item, request);
  }
  CPropertiesDlg dialog(parent);
  dialog.DoModal();
}
