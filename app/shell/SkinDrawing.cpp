#include "SkinDrawing.h"

#include <algorithm>

HBITMAP LoadSkinBitmap(UINT bitmapId) {
  return static_cast<HBITMAP>(
      ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

bool DrawSkinAtOrigin(CDC* dc, HBITMAP skin) {
  if (skin == nullptr) return false;
  BITMAP info{};
  ::GetObjectW(skin, sizeof(info), &info);
  HDC memory = ::CreateCompatibleDC(dc->GetSafeHdc());
  HGDIOBJ old = ::SelectObject(memory, skin);
  HDC target = dc->GetSafeHdc();
  ::BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  // A dialog laid out under a wider font than the skin was drawn for is larger
  // than the bitmap: the skin's last column and row carry on to the edges, so no
  // unpainted band shows (the skin's wash runs top to bottom).
  RECT client{};
  if (HWND window = ::WindowFromDC(target); window != nullptr && ::GetClientRect(window, &client)) {
    const int width = info.bmWidth, height = info.bmHeight;
    if (client.right > width)
      ::StretchBlt(target, width, 0, client.right - width, height, memory, width - 1, 0, 1, height, SRCCOPY);
    if (client.bottom > height)
      ::StretchBlt(target, 0, height, std::max<int>(client.right, width), client.bottom - height, memory, 0, height - 1,
                   1, 1, SRCCOPY);
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  return true;
}
