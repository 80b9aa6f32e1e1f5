// A report list whose rows are coloured by the status word their column 1
// begins with ("Pending", "Done", "Fail", "Progress"), with column colours
// that alternate in tone from row to row.
#pragma once

#include "Framework.h"

class CStatusListCtrl : public CListCtrl {
 public:
  // The cell colours of one item: what the custom drawing sets.
  static void CellColours(const CString& status, int row, int column, COLORREF& text, COLORREF& background);

 protected:
  afx_msg void OnCustomDraw(NMHDR* header, LRESULT* result);
  afx_msg void OnClick(NMHDR*, LRESULT* result) { *result = 0; }
  afx_msg int OnCreate(LPCREATESTRUCT create);
  DECLARE_MESSAGE_MAP()
};
