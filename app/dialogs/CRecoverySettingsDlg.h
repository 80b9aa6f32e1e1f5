// "Recovery Settings": what saving does with a name that already exists and which
// files it takes by their deleted state. The two read parameters keep their
// hidden controls and are written back unchanged.
#pragma once

#include "CTransparentButtonCtrl.h"
#include "CTransparentStatic.h"
#include "Framework.h"

namespace engine {
struct RecoverySettingsRecord;
}

class CRecoverySettingsDlg : public CDialog {
 public:
  explicit CRecoverySettingsDlg(CWnd* parent = nullptr);
  ~CRecoverySettingsDlg() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT colorType);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  engine::RecoverySettingsRecord& Settings();

  CTransparentStatic sectorsLabel_;
  CTransparentStatic retriesLabel_;
  CTransparentStatic groups_[4];
  CTransparentButtonCtrl radios_[5];  // 1048 to 1052
  CButton excludeDeleted_;            // 1053
  CComboBox sectorsPerRead_;
  CComboBox retries_;
  CButton ok_;
  CFont boldFont_;
  CBrush whiteBrush_;
  CBrush nearWhiteBrush_;
  HBITMAP skin_ = nullptr;
};
