#include "PageSkin.h"

#include "ResourceIds.h"

PageSkin::~PageSkin() {
  for (auto& [id, bitmap] : bitmaps_) {
    if (bitmap) ::DeleteObject(bitmap);
  }
}

HBITMAP PageSkin::Bitmap(UINT id) {
  auto found = bitmaps_.find(id);
  if (found != bitmaps_.end()) return found->second;
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  bitmaps_[id] = bitmap;
  return bitmap;
}

CSize PageSkin::SizeOf(HBITMAP bitmap) const {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return CSize(0, 0);
  return CSize(info.bmWidth, info.bmHeight);
}

void PageSkin::Blit(CDC& dc, HBITMAP bitmap, const CRect& target, const CRect& source) {
  if (!bitmap || target.IsRectEmpty() || source.IsRectEmpty()) return;
  HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
  if (!memory) return;
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const int oldMode = ::SetStretchBltMode(dc.GetSafeHdc(), COLORONCOLOR);
  ::StretchBlt(dc.GetSafeHdc(), target.left, target.top, target.Width(), target.Height(), memory, source.left,
               source.top, source.Width(), source.Height(), SRCCOPY);
  ::SetStretchBltMode(dc.GetSafeHdc(), oldMode);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

void PageSkin::DrawBackground(CDC& dc, const CRect& client) {
  HBITMAP background = Bitmap(IDB_PAGE_BACKGROUND);
  const CSize size = SizeOf(background);
  Blit(dc, background, client, CRect(0, 0, size.cx, size.cy));
}

PageSkin::HeaderExtent PageSkin::DrawHeader(CDC& dc, const CRect& client, UINT leftBitmapId) {
  HBITMAP left = Bitmap(leftBitmapId);
  HBITMAP right = Bitmap(IDB_HEADER_RIGHT);
  HBITMAP middle = Bitmap(IDB_HEADER_MIDDLE);
  const CSize leftSize = SizeOf(left), rightSize = SizeOf(right), middleSize = SizeOf(middle);
  HeaderExtent extent{leftSize.cx, client.right - rightSize.cx};
  Blit(dc, left, CRect(client.left, client.top, client.left + leftSize.cx, client.top + leftSize.cy),
       CRect(0, 0, leftSize.cx, leftSize.cy));
  Blit(dc, right, CRect(extent.RightLeft, client.top, client.right, client.top + rightSize.cy),
       CRect(0, 0, rightSize.cx, rightSize.cy));
  if (extent.RightLeft > client.left + extent.LeftWidth && middleSize.cy > 1) {
    Blit(dc, middle,
         CRect(client.left + extent.LeftWidth, client.top, extent.RightLeft, client.top + middleSize.cy - 1),
         CRect(0, 1, middleSize.cx, middleSize.cy));
  }
  return extent;
}

void PageSkin::DrawSummary(CDC& dc, const CRect& client, CFont& font, const CString& text) {
  CFont* oldFont = dc.SelectObject(&font);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  CRect box(client.left + 25, client.bottom - 40, client.left + 250, client.bottom);
  dc.DrawText(text, &box, 0);
  dc.SetBkMode(oldMode);
  dc.SelectObject(oldFont);
}
