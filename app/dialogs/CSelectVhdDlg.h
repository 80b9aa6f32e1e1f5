// "Select VHD File": a path edit with a Browse button for a virtual disk file.
// Nothing in the program opens it yet.
#pragma once

#include "Framework.h"

class CSelectVhdDlg : public CDialog {
 public:
  explicit CSelectVhdDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnBrowse();
  DECLARE_MESSAGE_MAP()

 private:
  CEdit path_;
};
