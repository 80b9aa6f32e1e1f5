// The bitmap buttons of the wizard pages (Next, Back, Stop, Home, Recover):
// owner-drawn, with a normal and a hover bitmap and a tip, placed by the page's
// layout.
#pragma once

#include <initializer_list>

#include "CToolButton.h"
#include "Framework.h"

struct PageButtonSpec {
  CToolButton& Button;
  UINT Id;
  UINT NormalBitmap;
  UINT HoverBitmap;
  const wchar_t* Tip;
};

inline void CreatePageButtons(CWnd* page, std::initializer_list<PageButtonSpec> buttons) {
  for (const PageButtonSpec& b : buttons) {
    b.Button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), page, b.Id);
    b.Button.LoadButtonBitmaps(b.NormalBitmap, b.HoverBitmap);
    b.Button.SetTipText(b.Tip, TRUE);
  }
}

// The step buttons of a page sit at its bottom right: Next and Stop share one place
// (a page shows one of them at a time), Back stands left of them and Home keeps no
// size. The page's splitter fills the room between the header band and the buttons.
inline void LayoutStepButtons(int width, int height, CWnd& next, CWnd& stop, CWnd& back, CWnd& home,
                              CWnd& splitter) {
  next.MoveWindow(width - 105, height - 41, 85, 35);
  stop.MoveWindow(width - 105, height - 41, 85, 35);
  back.MoveWindow(width - 195, height - 41, 85, 35);
  home.MoveWindow(0, 0, 0, 0);
  if (splitter.GetSafeHwnd()) splitter.MoveWindow(5, 45, width - 10, height - 95);
}
