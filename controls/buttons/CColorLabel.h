// A label with its own text and background colours, or a transparent
// background over its parent's skin.
#pragma once

#include "Framework.h"

class CColorLabel : public CStatic {
  DECLARE_DYNAMIC(CColorLabel)
 public:
  CColorLabel();
  void SetColors(COLORREF text, COLORREF background);
  void SetTransparent(BOOL transparent);

 protected:
  afx_msg HBRUSH CtlColor(CDC* dc, UINT colorType);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  COLORREF textColor_;
  COLORREF backgroundColor_;
  CBrush backgroundBrush_;
  CBrush hollowBrush_;
  BYTE transparent_ = 0;
};
