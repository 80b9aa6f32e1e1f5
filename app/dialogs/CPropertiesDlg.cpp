#include "CPropertiesDlg.h"

#include <iterator>
#include <vector>

#include "CRecoveryApp.h"
#include "CThirdView_HDD.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"
#include "WizardLinks.h"

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
