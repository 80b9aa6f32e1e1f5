// A progress bar that keeps its own range and position and paints its
// centred text in two tones (the saving dialogs' bars). It repaints on a
// position change only when the bar's length in pixels changes.
#pragma once

#include "Framework.h"

// Messages of the text bar beyond the standard progress messages.
constexpr UINT PBM_SETTEXTCOLOR = WM_USER + 100;
constexpr UINT PBM_SETSHOWTEXT = WM_USER + 101;

class CTextProgressCtrl : public CProgressCtrl {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int Position() const { return position_; }

 private:
  void Paint();
  LRESULT SetPosition(int position);

  COLORREF textColour_ = CLR_DEFAULT;
  int position_ = 0;
  int step_ = 1;
  int upper_ = 100;
  int lower_ = 0;
  CString text_;
  BOOL showText_ = TRUE;
  int lastBarLength_ = -1;
  COLORREF barColour_ = CLR_DEFAULT;
  COLORREF backgroundColour_ = CLR_DEFAULT;
};
