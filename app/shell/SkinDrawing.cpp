#include "SkinDrawing.h"

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
  ::BitBlt(dc->GetSafeHdc(), 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  return true;
}
