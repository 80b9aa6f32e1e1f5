#include "CMaskedBitmap.h"

#include "GdiHandles.h"

int CMaskedBitmap::GetWidth() {
  BITMAP info{};
  return m_hObject && GetBitmap(&info) ? info.bmWidth : 0;
}

int CMaskedBitmap::GetHeight() {
  BITMAP info{};
  return m_hObject && GetBitmap(&info) ? info.bmHeight : 0;
}

void CMaskedBitmap::DrawTransparent(CDC* target, int x, int y, COLORREF transparent) {
  const int width = GetWidth(), height = GetHeight();
  if (!target || width <= 0 || height <= 0) return;
  HDC dc = target->GetSafeHdc();
  const COLORREF oldBackground = ::SetBkColor(dc, maskBackgroundColor_);
  const COLORREF oldText = ::SetTextColor(dc, maskTextColor_);
  {
    MemoryDc image(dc), mask(dc);
    GdiObject<HBITMAP> maskBitmap(::CreateBitmap(width, height, 1, 1, nullptr));
    if (image && mask && maskBitmap) {
      SelectionGuard imageBitmap(image.Get(), m_hObject);
      SelectionGuard maskSelection(mask.Get(), maskBitmap.Get());
      // Mask bits are set where the image has the transparent colour.
      ::SetBkColor(image.Get(), transparent);
      ::BitBlt(mask.Get(), 0, 0, width, height, image.Get(), 0, 0, SRCCOPY);
      ::BitBlt(dc, x, y, width, height, image.Get(), 0, 0, SRCINVERT);
      ::BitBlt(dc, x, y, width, height, mask.Get(), 0, 0, SRCAND);
      ::BitBlt(dc, x, y, width, height, image.Get(), 0, 0, SRCINVERT);
    }
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBackground);
}
