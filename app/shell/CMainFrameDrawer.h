// The program's own command-bar drawer: drawing style 4 with the banner drawn into
// the top right of every dock bar.
#pragma once

#include "Framework.h"

#include "CCommandBarDrawerStyle4.h"
#include "CMaskedBitmap.h"

class CMainFrameDrawer : public CCommandBarDrawerStyle4 {
 public:
  CMainFrameDrawer();

  void PaintDockBarBackground(CDC* dc, CWnd* dockBar) override;

  // The banner is 380 pixels wide; it starts 280 pixels left of the bar's right
  // edge, so its last 100 pixels are cut off.
  static constexpr int kBannerRightInset = 280;
  static constexpr int kBannerTop = 20;

 private:
  CMaskedBitmap banner_;
};
