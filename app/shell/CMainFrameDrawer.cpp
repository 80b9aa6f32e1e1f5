#include "CMainFrameDrawer.h"

#include "ResourceIds.h"

CMainFrameDrawer::CMainFrameDrawer() { banner_.LoadBitmap(IDB_BANNER); }

void CMainFrameDrawer::PaintDockBarBackground(CDC* dc, CWnd* dockBar) {
  if (dc == nullptr) return;
  CRect bar;
  dockBar->GetWindowRect(&bar);
  CCommandBarDrawerStyle4::PaintDockBarBackground(dc, dockBar);
  if (banner_.GetSafeHandle() != nullptr)
    banner_.DrawTransparent(dc, bar.Width() - kBannerRightInset, kBannerTop, RGB(255, 255, 255));
}
