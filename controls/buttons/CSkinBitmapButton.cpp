#include "CSkinBitmapButton.h"

#include <commctrl.h>

#include "GdiHandles.h"

IMPLEMENT_DYNAMIC(CSkinBitmapButton, CBitmapButton)

BEGIN_MESSAGE_MAP(CSkinBitmapButton, CBitmapButton)
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
  ON_WM_MOUSELEAVE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

}  // namespace

CSkinBitmapButton::~CSkinBitmapButton() {
  if (normal_) DeleteObject(normal_);
  if (hoverBitmap_) DeleteObject(hoverBitmap_);
}

BOOL CSkinBitmapButton::LoadButtonBitmaps(UINT normalId, UINT hoverId) {
  HINSTANCE instance = AfxGetInstanceHandle();
  auto load = [instance](UINT id) {
    return static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id & 0xFFFF), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  };
  return SetButtonBitmaps(load(normalId), load(hoverId));
}

BOOL CSkinBitmapButton::SetButtonBitmaps(HBITMAP normal, HBITMAP hover) {
  if (normal_) DeleteObject(normal_);
  if (hoverBitmap_) DeleteObject(hoverBitmap_);
  normal_ = normal;
  hoverBitmap_ = hover;
  const SIZE normalSize = BitmapSize(normal), hoverSize = BitmapSize(hover);
  hasPressedFrame_ = hoverSize.cx > 0 && normalSize.cx == 2 * hoverSize.cx;
  width_ = hasPressedFrame_ ? hoverSize.cx : normalSize.cx;
  height_ = normalSize.cy;
  if (m_hWnd) SetWindowPos(nullptr, 0, 0, width_, height_, SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER);
  return TRUE;
}

void CSkinBitmapButton::DrawItem(LPDRAWITEMSTRUCT item) {
  HDC dc = item->hDC;
  MemoryDc memory(dc);
  if (!memory) return;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  if (pressed && hasPressedFrame_ && normal_) {
    // The second frame of the normal/pressed strip.
    SelectionGuard frame(memory.Get(), normal_);
    BitBlt(dc, 0, 0, width_, height_, memory.Get(), width_, 0, SRCCOPY);
    return;
  }
  HBITMAP shown = hover_ && hoverBitmap_ ? hoverBitmap_ : normal_;
  if (pressed && hoverBitmap_) shown = hoverBitmap_;
  if (!shown) return;
  SelectionGuard frame(memory.Get(), shown);
  if (pressed && !hasPressedFrame_) {
    // A single-frame bitmap has no pressed image: it sinks one pixel instead
    // of showing what lies beyond its right edge.
    RECT whole{0, 0, width_, height_};
    FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNSHADOW));
    BitBlt(dc, 1, 1, width_ - 1, height_ - 1, memory.Get(), 0, 0, SRCCOPY);
    return;
  }
  BitBlt(dc, 0, 0, width_, height_, memory.Get(), 0, 0, SRCCOPY);
}

void CSkinBitmapButton::RequestHoverTracking() {
  if (tracking_) return;
  TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, m_hWnd, 1};
  tracking_ = _TrackMouseEvent(&request);
}

void CSkinBitmapButton::OnMouseMove(UINT, CPoint) {
  RequestHoverTracking();
  Default();
}

LRESULT CSkinBitmapButton::OnMouseHover(WPARAM, LPARAM) {
  hover_ = 1;
  OnHoverChanged();
  return 0;
}

void CSkinBitmapButton::OnMouseLeave() {
  tracking_ = FALSE;
  hover_ = 0;
  OnHoverChanged();
}
