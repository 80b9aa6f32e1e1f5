// A label that shows its parent's skin through its background. A new text
// repaints the parent's area under the label, so the old text leaves no trace.
#pragma once

#include "Framework.h"

class CTransparentStatic : public CStatic {
  DECLARE_DYNAMIC(CTransparentStatic)
 protected:
  afx_msg HBRUSH CtlColor(CDC* dc, UINT colorType);
  afx_msg LRESULT OnSetText(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};

// Invalidates (with erase) and updates the parent's area under `control`.
void RepaintParentUnder(CWnd* control);
// The answer of a control that shows its parent through its background to
// the reflected colour message: transparent text over a hollow brush.
HBRUSH TransparentCtlColor(CDC* dc);
