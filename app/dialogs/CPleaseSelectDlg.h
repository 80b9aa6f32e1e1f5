// "Please Select": the partition search asks whether to use the partition
// information the disk's table already gives or to search the disk.
#pragma once

#include <optional>

#include "CTransparentButtonCtrl.h"
#include "CXPGroupBox.h"
#include "Framework.h"

class CPleaseSelectDlg : public CDialog {
 public:
  explicit CPleaseSelectDlg(CWnd* parent = nullptr);
  ~CPleaseSelectDlg() override;

  // 0 use the existing information, 1 search; nothing when the dialog was cancelled.
  std::optional<int> Choice() const { return choice_; }

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT colorType);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CXPGroupBox group_;
  CTransparentButtonCtrl useExisting_;
  CTransparentButtonCtrl search_;
  CBrush existingBrush_;
  CBrush searchBrush_;
  std::optional<int> choice_;
  HBITMAP skin_ = nullptr;
};

// Asks on the user-interface thread; what the engine host answers the partition search.
std::optional<int> AskPartitionSearchChoice();
