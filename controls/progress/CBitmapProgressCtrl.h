// A progress bar painted from a tiled bitmap.
#pragma once

#include "Framework.h"

class CBitmapProgressCtrl : public CProgressCtrl {
 public:
  // The tile is the caller's; it must outlive the control.
  void SetTile(HBITMAP tile);
  void SetBarRange(int lower, int upper);
  void SetBarPos(int position);
  void SetOffset(int offset);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Called after painting; derived bars draw on top here.
  virtual void AfterPaint(CDC*, int /*percent*/, const CRect& /*client*/, const CRect& /*bar*/, BOOL /*vertical*/) {}

 private:
  void Paint();

  int position_ = 0;
  int lower_ = 0;
  int upper_ = 100;
  int offset_ = 0;
  HBITMAP tile_ = nullptr;
  int tileWidth_ = 0;
  int tileHeight_ = 0;
};
