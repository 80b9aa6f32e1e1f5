// A button (the radio buttons of the settings dialogs) that shows its parent's
// skin through its background. A change of text, check, highlight or enabled
// state repaints the parent's area under it first, so no ghost of the old
// look stays behind the transparent background.
#pragma once

#include "Framework.h"

class CTransparentButtonCtrl : public CButton {
  DECLARE_DYNAMIC(CTransparentButtonCtrl)
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  afx_msg HBRUSH CtlColor(CDC* dc, UINT colorType);
  DECLARE_MESSAGE_MAP()
};
