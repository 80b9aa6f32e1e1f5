// Where a popup bar goes on the screen: beside or below the control that
// opened it (never covering it), or at a point, kept inside the work area of
// its monitor. A popup that fits neither above nor below takes the larger
// side and is cut to it; a cut menu scrolls.
#pragma once

#include "ControlLayout.h"

namespace kit::commandbars {

// Placement flags of a popup.
constexpr unsigned kPopupExtendLeft = 0x1;  // right-aligned: extends to the left of the anchor
constexpr unsigned kPopupDropDown = 0x2;    // below the exclusion rectangle, else beside it

// Room kept free above the bottom of the work area.
constexpr int kPopupBottomGap = 5;

struct LayoutPoint
{
    int x = 0;
    int y = 0;
};

struct PopupPlacementRequest
{
    LayoutSize size;       // the popup's laid-out size
    LayoutPoint anchor;    // screen point the popup is placed from
    LayoutRect exclude;    // the opening control on the screen; empty for a popup at a point
    unsigned flags = 0;
    LayoutRect workArea;   // of the monitor holding the exclusion rectangle (or the anchor)
};

struct PopupPlacement
{
    LayoutRect rect;       // where the popup goes, possibly shorter than asked
    unsigned flags = 0;    // the flags after a flip at a side of the work area
    bool cut = false;      // the popup is shorter than its layout: a menu scrolls
};

PopupPlacement PlacePopup(const PopupPlacementRequest& request);

}  // namespace kit::commandbars
