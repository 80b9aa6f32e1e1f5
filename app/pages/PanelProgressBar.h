// The progress bar of the drive and scan panels: 0 to 100 with one step taken,
// the percent written on it in the given font, white behind it, white text on
// the bar and dark blue text beside it.
#pragma once

#include "CGradientProgressCtrl.h"
#include "Framework.h"

inline void SetUpPanelProgressBar(CGradientProgressCtrl& bar, CFont& font) {
  bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  bar.SendMessage(PBM_SETPOS, 0);
  bar.SendMessage(PBM_STEPIT);
  bar.SetTextFormat(L"%d%%", PBS_PERCENT_TEXT);
  bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
  bar.m_clrBackground = 0xFFFFFF;
  bar.m_clrTextOnBar = 0xFFFFFF;
  bar.m_clrTextOnBackground = 0x7F0000;
}
