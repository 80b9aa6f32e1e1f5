// The common one-row layout pass of a tab strip: the row's place in the
// header, the room the navigate buttons take, compression in the shortened
// layout, the scroll offset pulled back when the tabs fit again, every tab's
// rectangle (rotated tabs standing across the strip), and the visible part of
// the header that ends before the buttons.
#pragma once

#include <array>
#include <vector>

#include "TabRowLayout.h"

namespace kit::tabs {

// Navigate buttons in the strip's order: scroll back, scroll on, close.
constexpr int kButtonLeft = 0;
constexpr int kButtonRight = 1;
constexpr int kButtonClose = 2;
constexpr int kShowNever = 0;
constexpr int kShowAuto = 1;
constexpr int kShowAlways = 2;

struct NavigateButtonState
{
    int showMode = kShowAuto;
    bool needed = true;  // the close button: a tab is selected and closable
    bool enabled = true;
    KitRect rect;        // empty when hidden
};

struct SingleRowLayout
{
    int position = kPositionTop;
    int layout = kLayoutSizeToFit;
    KitRect rect;        // the strip's rectangle less frame and header margins
    KitRect header;      // the appearance set's header band in `rect`
    KitRect margins;     // the row's oriented margins in the header
    int rowHeight = 0;
    int scrollOffset = 0;
    std::vector<int> lengths;  // measured; hidden tabs 0
    std::array<NavigateButtonState, 3> buttons;

    // Results.
    std::vector<KitRect> tabRects;
    KitRect visibleHeader;
};

// Where the buttons stand and how much of the header shows tabs.
KitRect PlaceNavigateButtons(SingleRowLayout& strip, const KitRect& header);

// Runs the pass; lengths, scroll offset, rectangles and buttons are updated.
void LayoutSingleRow(SingleRowLayout& strip);

}  // namespace kit::tabs
