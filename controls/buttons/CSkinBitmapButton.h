// The part that the mode page's hover buttons and the wizard pages' tool
// buttons share: an owner-drawn button painted from a normal and a hover
// bitmap, which follows the mouse with one hover-and-leave request per entry.
#pragma once

#include "Framework.h"

class CSkinBitmapButton : public CBitmapButton {
  DECLARE_DYNAMIC(CSkinBitmapButton)
 public:
  ~CSkinBitmapButton() override;

  // Loads both bitmaps from the program's instance and sizes the button to
  // one frame of the normal bitmap. A normal bitmap twice as wide as the hover
  // bitmap is a strip of the normal and the pressed frame.
  BOOL LoadButtonBitmaps(UINT normalId, UINT hoverId);
  // The same with bitmaps made by the caller; the button owns them afterwards.
  BOOL SetButtonBitmaps(HBITMAP normal, HBITMAP hover);

  BOOL IsHovered() const { return hover_ != 0; }
  int FrameWidth() const { return width_; }
  int FrameHeight() const { return height_; }

  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  // Asks for one hover and one leave notification per entry of the mouse.
  void RequestHoverTracking();
  virtual void OnHoverChanged() { Invalidate(FALSE); }

  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg LRESULT OnMouseHover(WPARAM, LPARAM);
  afx_msg void OnMouseLeave();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return FALSE; }  // the bitmap covers the button
  DECLARE_MESSAGE_MAP()

 protected:
  int hover_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool hasPressedFrame_ = false;
  HBITMAP normal_ = nullptr;
  HBITMAP hoverBitmap_ = nullptr;
  BOOL tracking_ = FALSE;
};
