// CSavedWindowPlacement: a frame's placement kept in the user settings
// (section "Settings", entry "Window Position", 48 bytes) and put back at the
// next start. What comes back is made safe first: never minimised, never of
// zero or negative size, and inside a monitor's work area.
#pragma once

#include "Framework.h"

class CSavedWindowPlacement
{
public:
    CSavedWindowPlacement();

    BOOL StorePlacement(CWnd* pWnd, LPCTSTR lpszEntry = nullptr, LPCTSTR lpszSection = nullptr);
    // TRUE only for a stored value of exactly 48 bytes.
    BOOL LoadPlacement(LPCTSTR lpszEntry = nullptr, LPCTSTR lpszSection = nullptr);
    // FALSE for a missing window, no stored value, or one that cannot be
    // placed on any monitor.
    BOOL RestorePlacement(CWnd* pWnd, LPCTSTR lpszEntry = nullptr, LPCTSTR lpszSection = nullptr);

    WINDOWPLACEMENT m_placement;
};
