// A label over an image: its first erase keeps a snapshot of the parent's
// pixels under it, and every later erase paints that snapshot back.
#pragma once

#include "Framework.h"

class CImageStatic : public CStatic {
  DECLARE_DYNAMIC(CImageStatic)
 protected:
  afx_msg HBRUSH CtlColor(CDC* dc, UINT colorType);
  afx_msg LRESULT OnSetText(WPARAM, LPARAM);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CBitmap snapshot_;
};
