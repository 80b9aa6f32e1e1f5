#include "CSelectVhdDlg.h"

#include "CFileOpenSaveDialog.h"
#include "MessageDialogs.h"
#include "ResourceIds.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "results/ResultStore.h"

BEGIN_MESSAGE_MAP(CSelectVhdDlg, CDialog)
  ON_BN_CLICKED(IDC_VHD_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CSelectVhdDlg::CSelectVhdDlg(CWnd* parent) : CDialog(IDD_SELECT_VHD, parent) {}

void CSelectVhdDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_VHD_PATH, path_);
}

void CSelectVhdDlg::OnBrowse() {
  CFileOpenSaveDialog chooser(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                              L"*.vhd", this);
  if (chooser.DoModal() != IDOK) return;
  CString path;
  for (const wchar_t* position = chooser.GetFirstPathPosition(); position != nullptr;)
    path = chooser.GetNextPathName(position);
  if (engine::FileExists(wizard::Engine(), ToU16(path))) {
    path_.SetWindowText(path);
    return;
  }
  path.Trim();
  wizard::ShowMessage(EscapeMarkupText(path) + L" file does not exists.", engine::kMessageQuestion);
}
