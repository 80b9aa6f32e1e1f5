// "Drive Information": the geometry of the volume in work and the numbers of
// folders and files of the last scan or loaded snapshot.
#pragma once

#include "CTransparentStatic.h"
#include "Framework.h"

class CDriveInfoDlg : public CDialog {
 public:
  explicit CDriveInfoDlg(CWnd* parent = nullptr);
  ~CDriveInfoDlg() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CTransparentStatic labels_[16];
  HBITMAP skin_ = nullptr;
};
