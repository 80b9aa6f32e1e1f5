// A window that shows every application control once, for the controls'
// tests to drive and to photograph. Its bitmaps and icons are drawn here, so
// the gallery needs no artwork of the program.
#pragma once

#include "CBitmapProgressCtrl.h"
#include "CColorLabel.h"
#include "CDiskSpaceChart.h"
#include "CGradientProgressCtrl.h"
#include "CHoverButton.h"
#include "CHyperLinkStatic.h"
#include "CImageStatic.h"
#include "COwnerDrawButton.h"
#include "CPieChart.h"
#include "CStatusListCtrl.h"
#include "CTextProgressCtrl.h"
#include "CToolButton.h"
#include "CTransparentButtonCtrl.h"
#include "CTransparentRadio.h"
#include "CTransparentStatic.h"
#include "CXPComboBox.h"
#include "CXPGroupBox.h"
#include "Framework.h"

namespace gallery {

// Colours the tests sample.
constexpr COLORREF kSkin = RGB(230, 240, 200);
constexpr COLORREF kToolNormal = RGB(200, 30, 30);
constexpr COLORREF kToolPressed = RGB(30, 30, 200);
constexpr COLORREF kToolHover = RGB(30, 180, 30);
constexpr COLORREF kModeNormal = RGB(90, 90, 160);
constexpr COLORREF kModeHover = RGB(250, 200, 40);

enum Ids : UINT {
  kModeButton1 = 1001,
  kToolStrip = 1010,
  kToolSingle = 1011,
  kFrameBox = 1020,
  kBandBox = 1021,
  kLabel = 1022,
  kRadio = 1023,
  kTransparentRadio = 1024,
  kColorLabel = 1025,
  kImageStatic = 1026,
  kLink = 1027,
  kSelectAll = 1028,
  kMenuButton = 1029,
  kGradient = 1030,
  kTextBar = 1031,
  kBitmapBar = 1032,
  kStatusList = 1033,
  kDiskChart = 1034,
  kCombo = 1035,
};

constexpr UINT kGalleryMenu = 300;

// A device-dependent bitmap of one colour, or of two side by side.
HBITMAP MakeBitmap(int width, int height, COLORREF left, COLORREF right);
HICON MakeIcon(int size, COLORREF colour);

class CControlsGallery : public CWnd {
 public:
  CControlsGallery();
  BOOL CreateGallery();

  CHoverButton modes[3];
  CToolButton toolStrip;
  CToolButton toolSingle;
  CXPGroupBox frameBox, bandBox;
  CTransparentStatic label;
  CTransparentButtonCtrl radio;
  CTransparentRadio transparentRadio;
  CColorLabel colorLabel;
  CImageStatic imageStatic;
  CHyperLinkStatic link;
  COwnerDrawButton selectAll;
  COwnerDrawButton menuButton;
  CGradientProgressCtrl gradient;
  CTextProgressCtrl textBar;
  CBitmapProgressCtrl bitmapBar;
  CStatusListCtrl statusList;
  CDiskSpaceChart diskChart;
  CXPComboBox combo;
  CPieChart pie;
  int paintsSeen = 0;

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT type);
  DECLARE_MESSAGE_MAP()

 private:
  HBITMAP tile_ = nullptr;
  CBrush skinBrush_;
};

}  // namespace gallery
