// A bitmap that draws itself with one colour left out, through a monochrome
// mask. Constructed empty and loaded with the framework's bitmap loading.
#pragma once

#include "Framework.h"

class CMaskedBitmap : public CBitmap {
 public:
  CMaskedBitmap() = default;
  ~CMaskedBitmap() override { DeleteObject(); }

  int GetWidth();
  int GetHeight();
  // Draws the whole bitmap at (x, y) at its own size; pixels of `transparent`
  // leave the target as it was.
  virtual void DrawTransparent(CDC* target, int x, int y, COLORREF transparent);

 private:
  COLORREF maskTextColor_ = 0x000000;
  COLORREF maskBackgroundColor_ = 0xFFFFFF;
};
