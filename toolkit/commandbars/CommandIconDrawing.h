// How the drawers draw a command icon in one of its states, and the few
// questions they ask of it.
#pragma once

#include "window/CDC.h"

class CCommandIcon;
class CKitCommandBars;

enum class IconImage
{
    Normal,
    Faded,
    Shadow,
    Hot,
    Pressed,
    Disabled,
};

// The extent of the icon's normal picture; 0 x 0 without one.
CSize IconExtent(CCommandIcon* pIcon);
// Draws one of the icon's pictures at (x, y) in cx x cy.
void DrawIconImage(CDC* pDC, CCommandIcon* pIcon, IconImage image, int x, int y, int cx, int cy);
// The normal picture as a one-colour silhouette.
void DrawIconMono(CDC* pDC, CCommandIcon* pIcon, int x, int y, COLORREF clr);
// A disabled picture exists (set by the owner or generated).
BOOL HasOwnDisabledImage(CCommandIcon* pIcon);
// Generates the disabled picture tinted between the two colours.
void GenerateDisabledImage(CCommandIcon* pIcon, COLORREF clrLight, COLORREF clrDark);
BOOL HasShadowImage(CCommandIcon* pIcon);
// A status pane's icon, in its disabled picture when the pane is disabled.
void DrawPaneIcon(CDC* pDC, CCommandIcon* pIcon, int x, int y, BOOL bEnabled);
// The icon size of popup rows; 16 x 16 without command bars.
CSize PopupIconSize(CKitCommandBars* pCommandBars);
// Drops the pictures derived under the previous drawing style.
void RefreshCommandIcons();
