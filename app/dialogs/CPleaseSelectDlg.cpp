#include "CPleaseSelectDlg.h"

#include "ResourceIds.h"
#include "SkinDrawing.h"

BEGIN_MESSAGE_MAP(CPleaseSelectDlg, CDialog)
  ON_WM_CTLCOLOR()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kRadioBackground = RGB(255, 251, 238);

}  // namespace

CPleaseSelectDlg::CPleaseSelectDlg(CWnd* parent)
    : CDialog(IDD_PLEASE_SELECT, parent), skin_(LoadSkinBitmap(IDB_SKIN_DRIVE_INFO)) {
  existingBrush_.CreateSolidBrush(RGB(255, 251, 239));
  searchBrush_.CreateSolidBrush(RGB(255, 249, 234));
}

CPleaseSelectDlg::~CPleaseSelectDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CPleaseSelectDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_SELECT_GROUP, group_);
  DDX_Control(exchange, IDC_SELECT_EXISTING, useExisting_);
  DDX_Control(exchange, IDC_SELECT_SEARCH, search_);
}

BOOL CPleaseSelectDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  group_.SetBackgroundColor(RGB(255, 255, 255));
  CheckDlgButton(IDC_SELECT_EXISTING, BST_CHECKED);
  return TRUE;
}

void CPleaseSelectDlg::OnOK() {
  choice_ = IsDlgButtonChecked(IDC_SELECT_EXISTING) == BST_CHECKED ? 0 : 1;
  EndDialog(IDOK);
}

HBRUSH CPleaseSelectDlg::OnCtlColor(CDC* dc, CWnd* control, UINT colorType) {
  const int id = control != nullptr ? control->GetDlgCtrlID() : 0;
  if (id == IDC_SELECT_EXISTING || id == IDC_SELECT_SEARCH) {
    if (id == IDC_SELECT_EXISTING) dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(kRadioBackground);
    return id == IDC_SELECT_EXISTING ? static_cast<HBRUSH>(existingBrush_) : static_cast<HBRUSH>(searchBrush_);
  }
  return CDialog::OnCtlColor(dc, control, colorType);
}

BOOL CPleaseSelectDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}

std::optional<int> AskPartitionSearchChoice() {
  CPleaseSelectDlg dialog;  // no owner, as the search asks it
  dialog.DoModal();
  return dialog.Choice();
}
