#include "CDriveInfoDlg.h"

#include "DriveFacts.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"
#include "WizardLinks.h"

BEGIN_MESSAGE_MAP(CDriveInfoDlg, CDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDriveInfoDlg::CDriveInfoDlg(CWnd* parent)
    : CDialog(IDD_DRIVE_INFO, parent), skin_(LoadSkinBitmap(IDB_SKIN_DRIVE_INFO)) {}

CDriveInfoDlg::~CDriveInfoDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CDriveInfoDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  // Captions and values: 1016 to 1031.
  for (int i = 0; i < 16; ++i) DDX_Control(exchange, IDC_INFO_FILE_SYSTEM_CAPTION + i, labels_[i]);
}

BOOL CDriveInfoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const dialogs::DriveFacts facts = dialogs::ReadDriveFacts(wizard::Engine());
  SetDlgItemText(IDC_INFO_FILE_SYSTEM, ToCString(facts.FileSystem));
  SetDlgItemText(IDC_INFO_START_SECTOR, ToCString(facts.StartSector));
  SetDlgItemText(IDC_INFO_DIRECTORIES, ToCString(facts.Directories));
  SetDlgItemText(IDC_INFO_FILES, ToCString(facts.Files));
  SetDlgItemText(IDC_INFO_SPC, ToCString(facts.SectorsPerCluster));
  SetDlgItemText(IDC_INFO_FIRST_FAT, ToCString(facts.FirstFat));
  SetDlgItemText(IDC_INFO_SECOND_FAT, ToCString(facts.SecondFat));
  SetDlgItemText(IDC_INFO_MFT_START, ToCString(facts.MftStart));
  return TRUE;
}

BOOL CDriveInfoDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}
