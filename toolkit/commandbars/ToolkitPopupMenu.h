// Context menus of the toolkit's own controls (the edit field, the header)
// shown as popup bars, drawn like the rest of the command bars.
#pragma once

#include "window/CMenu.h"

class CWnd;

// Runs the menu as a popup bar at the screen point for the owner, with the
// TrackPopupMenu flags (notifications always suppressed). A positive
// toolbar resource id gives the popup an icon store of its own holding that
// toolbar's icons. Without a drawer the plain menu is tracked. The result is
// TrackPopupMenu's: the chosen command with TPM_RETURNCMD, else TRUE; 0 when
// the menu cannot be shown or made into a popup.
int AFXAPI TrackToolkitPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, int nToolBarId);
