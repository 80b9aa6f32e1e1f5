// The save dialog "Saving the data please wait": its worker saves what the results
// page gathered into SaveControl.TargetFolder while the dialog shows each file,
// the count and the file's progress. Stop asks first and holds the worker while it
// asks; Skip ends the current file. The dialog closes only when the worker has
// ended, then tells how the save went.
#pragma once

#include <memory>

#include "CTextProgressCtrl.h"
#include "Framework.h"
#include "copyout/SaveCheckedItems.h"

class CSaveProgressDlg : public CDialog {
 public:
  CSaveProgressDlg(CWnd* parent, engine::SaveSelection selection);
  ~CSaveProgressDlg() override;

  // On the user-interface thread, from the engine's reports.
  void ReportFile(const CString& folder, const CString& name, int filesProcessed);
  void ReportProgress(int percent);

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override {}
  void OnOK() override { OnStop(); }
  afx_msg void OnStop();
  afx_msg void OnSkip();
  afx_msg void OnClose();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg LRESULT OnSaveEnded(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  engine::SaveSelection selection_;
  engine::SaveTally tally_;
  bool stopped_ = false;
  HBITMAP background_ = nullptr;
  CTextProgressCtrl bar_;  // the file's progress with its centred percent
};
