// The wizard pages' bitmap buttons (Next, Back, Stop, Home, Recover): a
// normal, a hover and a pressed image, and a tooltip.
#pragma once

#include "CSkinBitmapButton.h"

class CToolButton : public CSkinBitmapButton {
  DECLARE_DYNAMIC(CToolButton)
 public:
  // Adds the one tool of the button on the first call, then sets its text.
  // A NULL text does nothing.
  void SetTipText(const CString* text, BOOL activate);
  void SetTipText(LPCTSTR text, BOOL activate);
  BOOL PreTranslateMessage(MSG* message) override;
  CToolTipCtrl& ToolTip() { return tooltip_; }

 protected:
  void EnsureToolTip();

 private:
  CToolTipCtrl tooltip_;
};
