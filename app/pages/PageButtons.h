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
