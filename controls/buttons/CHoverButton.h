// The mode page's bitmap buttons: a hover image while the mouse rests on the
// button, hand cursors, and the button's number published in
// HoveredModeButtonId so that the page can explain the mode under the mouse.
#pragma once

#include "CSkinBitmapButton.h"

// 0 when no mode button is hovered, else the number of the hovered one
// (1 Quick Scan, 2 File Trace, 3 Extensive Scan). User-interface thread only.
extern int HoveredModeButtonId;

class CHoverButton : public CSkinBitmapButton {
  DECLARE_DYNAMIC(CHoverButton)
 public:
  CHoverButton();

  // Repainted whenever the hover state changes (the mode page sets itself).
  CWnd* m_pNotifyWnd = nullptr;
  CWnd*& m_pOwnerView = m_pNotifyWnd;
  // Published while the button is hovered.
  int m_nButtonNumber = 0;
  int& m_nHoverId = m_nButtonNumber;

 protected:
  void OnHoverChanged() override;
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  HCURSOR hoverCursor_;
  HCURSOR pressedCursor_;
};
