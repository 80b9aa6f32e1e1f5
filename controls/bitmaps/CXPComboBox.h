// A flat combo box in the XP look: a one-pixel frame that lights up in the
// highlight colour while the mouse is over it or it is dropped down, and a
// drop-down button drawn as an XP button part. The height given by a dialog
// template becomes the height of the closed combo.
#pragma once

#include "Framework.h"
#include "HoverTracker.h"

class CXPComboBox;

class CXPComboEdit : public CEdit {
 public:
  CXPComboBox* m_pCombo = nullptr;

 protected:
  afx_msg void OnKillFocus(CWnd* newFocus);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  DECLARE_MESSAGE_MAP()
};

class CXPComboBox : public CComboBox {
 public:
  explicit CXPComboBox(int visibleItems = 8);

  HoverTracker& Tracker() { return tracker_; }
  void AttachEdit();
  void InvalidateIfOnBar();

 protected:
  void PreSubclassWindow() override;
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnWindowPosChanging(WINDOWPOS* position);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnWindowPosChanged(WINDOWPOS* position);
  afx_msg void OnPaint();
  afx_msg void OnSetFocus(CWnd*) { OnFocusChange(); }
  afx_msg void OnKillFocus(CWnd*) { OnFocusChange(); }
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  DECLARE_MESSAGE_MAP()

 private:
  void OnFocusChange();

  int visibleItems_;
  int fieldHeight_ = -1;
  int pendingHeight_ = -1;
  HoverTracker tracker_;
  CXPComboEdit edit_;
};
