#include "CBitmapProgressCtrl.h"

#include <algorithm>
#include <cstdlib>

#include "GdiHandles.h"
#include "ProgressMath.h"

void CBitmapProgressCtrl::SetTile(HBITMAP tile) {
  tile_ = tile;
  BITMAP info{};
  if (tile && ::GetObjectW(tile, sizeof(info), &info)) {
    tileWidth_ = info.bmWidth;
    tileHeight_ = info.bmHeight;
  } else {
    tile_ = nullptr;
    tileWidth_ = tileHeight_ = 0;
  }
  if (m_hWnd) Invalidate();
}

void CBitmapProgressCtrl::SetBarRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
  if (m_hWnd) Invalidate();
}

void CBitmapProgressCtrl::SetBarPos(int position) {
  position_ = position;
  if (m_hWnd) Invalidate();
}

void CBitmapProgressCtrl::SetOffset(int offset) {
  offset_ = offset;
  if (m_hWnd) Invalidate();
}

LRESULT CBitmapProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && tile_) {
    Paint();
    return 0;
  }
  return CProgressCtrl::WindowProc(message, wParam, lParam);
}

void CBitmapProgressCtrl::Paint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (GetStyle() & WS_BORDER) {
    dc.FrameRect(&client, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
    client.DeflateRect(1, 1);
  }
  client.DeflateRect(1, 1);
  // The offset shifts the position; the range is never divided by when empty.
  const int percent = progress::PercentOf(std::abs(position_) + offset_, lower_, upper_);
  const bool vertical = (GetStyle() & PBS_VERTICAL) != 0;
  CRect bar = client;
  if (vertical) bar.top = client.bottom - client.Height() * percent / 100;
  else bar.right = client.left + client.Width() * percent / 100;
  if (!bar.IsRectEmpty() && tileWidth_ > 0 && tileHeight_ > 0) {
    MemoryDc tiles(dc.m_hDC), tile(dc.m_hDC);
    GdiObject<HBITMAP> area(::CreateCompatibleBitmap(dc.m_hDC, client.Width(), client.Height()));
    if (tiles && tile && area) {
      SelectionGuard intoArea(tiles.Get(), area.Get());
      SelectionGuard fromTile(tile.Get(), tile_);
      for (int y = 0; y < bar.Height(); y += tileHeight_) {
        for (int x = 0; x < bar.Width(); x += tileWidth_) {
          ::BitBlt(tiles.Get(), x, y, tileWidth_, tileHeight_, tile.Get(), 0, 0, SRCCOPY);
        }
      }
      ::BitBlt(dc.m_hDC, bar.left, bar.top, bar.Width(), bar.Height(), tiles.Get(), 0, 0, SRCCOPY);
    }
  }
  AfterPaint(&dc, percent, client, bar, vertical);
}
