#include "CRecoverySettingsDlg.h"

#include <algorithm>

#include "EngineContext.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "WizardLinks.h"

BEGIN_MESSAGE_MAP(CRecoverySettingsDlg, CDialog)
  ON_WM_CTLCOLOR()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr UINT kGroupIds[] = {IDC_SETTINGS_SECTORS_GROUP, IDC_SETTINGS_DUPLICATES_GROUP, IDC_SETTINGS_DELETED_GROUP,
                              IDC_SETTINGS_BAD_SECTORS_GROUP};
// Policy n (1 to 3) is the radio button first + n - 1.
constexpr UINT kFirstNameRadio = IDC_SETTINGS_RENAME;
constexpr UINT kFirstDeletedRadio = IDC_SETTINGS_INCLUDE_DELETED;
constexpr int kPolicyCount = 3;
constexpr int kLargestSectorsPerRead = 100;
constexpr int kLargestRetries = 10;

}  // namespace

CRecoverySettingsDlg::CRecoverySettingsDlg(CWnd* parent)
    : CDialog(IDD_RECOVERY_SETTINGS, parent), skin_(LoadSkinBitmap(IDB_SKIN_FILE_TYPES)) {
  boldFont_.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  whiteBrush_.CreateSolidBrush(RGB(255, 255, 255));
  nearWhiteBrush_.CreateSolidBrush(RGB(254, 255, 255));
}

CRecoverySettingsDlg::~CRecoverySettingsDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

engine::RecoverySettingsRecord& CRecoverySettingsDlg::Settings() { return wizard::Engine().RecoverySettings; }

void CRecoverySettingsDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_SETTINGS_SECTORS_LABEL, sectorsLabel_);
  DDX_Control(exchange, IDC_SETTINGS_RETRIES_LABEL, retriesLabel_);
  for (int i = 0; i < 4; ++i) DDX_Control(exchange, kGroupIds[i], groups_[i]);
  for (int i = 0; i < 5; ++i) DDX_Control(exchange, IDC_SETTINGS_RENAME + i, radios_[i]);
  DDX_Control(exchange, IDC_SETTINGS_EXCLUDE_DELETED, excludeDeleted_);
  DDX_Control(exchange, IDC_SETTINGS_SECTORS_PER_READ, sectorsPerRead_);
  DDX_Control(exchange, IDC_SETTINGS_RETRIES, retries_);
  DDX_Control(exchange, IDOK, ok_);
}

BOOL CRecoverySettingsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const engine::RecoverySettingsRecord& settings = Settings();
  sectorsPerRead_.SetCurSel(settings.SectorsPerRead - 1);
  retries_.SetCurSel(settings.BadSectorRetries - 1);
  for (CTransparentStatic& group : groups_) group.SetFont(&boldFont_);
  if (settings.ExistingNamePolicy >= 1 && settings.ExistingNamePolicy <= kPolicyCount)
    CheckDlgButton(kFirstNameRadio + settings.ExistingNamePolicy - 1, BST_CHECKED);
  if (settings.DeletedFilesPolicy >= 1 && settings.DeletedFilesPolicy <= kPolicyCount)
    CheckDlgButton(kFirstDeletedRadio + settings.DeletedFilesPolicy - 1, BST_CHECKED);
  return TRUE;
}

void CRecoverySettingsDlg::OnOK() {
  engine::RecoverySettingsRecord& settings = Settings();
  // The hidden boxes hold what OnInitDialog selected; a value that selected nothing stays.
  if (const int sectors = sectorsPerRead_.GetCurSel(); sectors >= 0)
    settings.SectorsPerRead = std::min(sectors + 1, kLargestSectorsPerRead);
  if (const int retries = retries_.GetCurSel(); retries >= 0)
    settings.BadSectorRetries = static_cast<uint16_t>(std::min(retries + 1, kLargestRetries));
  for (int policy = 1; policy <= kPolicyCount; ++policy) {
    if (IsDlgButtonChecked(kFirstNameRadio + policy - 1) == BST_CHECKED)
      settings.ExistingNamePolicy = static_cast<uint16_t>(policy);
    if (IsDlgButtonChecked(kFirstDeletedRadio + policy - 1) == BST_CHECKED)
      settings.DeletedFilesPolicy = static_cast<uint16_t>(policy);
  }
  EndDialog(IDOK);
}

HBRUSH CRecoverySettingsDlg::OnCtlColor(CDC* dc, CWnd* control, UINT colorType) {
  const int id = control != nullptr ? control->GetDlgCtrlID() : 0;
  if (id >= IDC_SETTINGS_RENAME && id <= IDC_SETTINGS_EXCLUDE_DELETED) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(RGB(255, 255, 255));
    return id == IDC_SETTINGS_DELETED_ONLY ? static_cast<HBRUSH>(nearWhiteBrush_) : static_cast<HBRUSH>(whiteBrush_);
  }
  return CDialog::OnCtlColor(dc, control, colorType);
}

BOOL CRecoverySettingsDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}
