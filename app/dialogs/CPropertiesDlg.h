// "File/Folder Properties": for a file the texts the results list hands over; for
// a folder the number of files and folders below it and their size, counted over
// its subtree in the results tree.
#pragma once

#include <cstdint>

#include "CTransparentStatic.h"
#include "FolderTotals.h"
#include "Framework.h"

// What the results list hands to the dialog.
struct PropertiesRequestRecord {
  CString Name;
  CString SizeText;
  CString FirstDateText;
  CString SecondDateText;
  uintptr_t ItemId = 0;  // for a folder, its item in the results tree
  int IsFolder = 0;
};
PropertiesRequestRecord& PropertiesRequest();

// The running totals of folders counted (the dialog and the selected size).
dialogs::SelectionTotals& SelectionTotals();

// Counts `item` and every item below it in the results page's tree.
void CountTreeItems(HTREEITEM item);

// "&Properties..." of the results page's menus: the selected row of the results
// list when the list has the focus, otherwise the folder chosen in the tree.
void ShowResultProperties(CWnd* parent);

class CPropertiesDlg : public CDialog {
 public:
  explicit CPropertiesDlg(CWnd* parent = nullptr);
  ~CPropertiesDlg() override;

  void FillProperties();

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CTransparentStatic labels_[11];
  HBITMAP skin_ = nullptr;
};
