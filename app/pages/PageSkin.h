// The skin the wizard pages paint behind their controls: the background
// bitmap stretched over the client area and the header band of a left, a
// stretched middle and a right bitmap. Bitmaps are loaded once per page.
#pragma once

#include <map>

#include "Framework.h"

class PageSkin {
 public:
  PageSkin() = default;
  ~PageSkin();
  PageSkin(const PageSkin&) = delete;
  PageSkin& operator=(const PageSkin&) = delete;

  struct HeaderExtent {
    int LeftWidth = 0;   // width of the left bitmap as painted
    int RightLeft = 0;   // left edge of the right bitmap
  };

  void DrawBackground(CDC& dc, const CRect& client);
  // The left bitmap at the top-left corner, the right one at the top-right
  // corner, each at its own size, the middle strip stretched between them
  // from its second row.
  HeaderExtent DrawHeader(CDC& dc, const CRect& client, UINT leftBitmapId);
  // The selection summary at the bottom left, transparent, no format flags.
  static void DrawSummary(CDC& dc, const CRect& client, CFont& font, const CString& text);

 private:
  HBITMAP Bitmap(UINT id);
  CSize SizeOf(HBITMAP bitmap) const;
  void Blit(CDC& dc, HBITMAP bitmap, const CRect& target, const CRect& source);

  std::map<UINT, HBITMAP> bitmaps_;
};
