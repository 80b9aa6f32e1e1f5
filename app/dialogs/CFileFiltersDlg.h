// "File Filters": the file-name filters that listing and saving apply. The dialog
// edits a copy in its list box and writes the table back on Close, then lists
// the results' root folder again with the new filters.
#pragma once

#include <string>
#include <vector>

#include "CTransparentStatic.h"
#include "Framework.h"

class CFileFiltersDlg : public CDialog {
 public:
  explicit CFileFiltersDlg(CWnd* parent = nullptr);
  ~CFileFiltersDlg() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;      // Add
  void OnCancel() override;  // Close
  afx_msg void OnRemove();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  std::vector<std::u16string> Entries() const;
  void RefillResultsRoot();

  CTransparentStatic caption_;
  CButton remove_;
  CEdit edit_;
  CListBox list_;
  HBITMAP skin_ = nullptr;
};
