// The arithmetic of laying out the controls of one command bar: wrapping them
// into rows for a length, hiding what does not fit, placing the rows, centring
// the controls in their rows, packing far-end controls and sharing free room
// out to stretched controls. The bar hands in the sizes of its controls and
// writes the placed rectangles back, so every rule is checked natively.
#pragma once

#include <span>

namespace kit::commandbars {

// Layout modes.
constexpr unsigned kLayoutStretch = 0x01;         // stretch to the full length
constexpr unsigned kLayoutHorz = 0x02;              // laid out across (floating bars)
constexpr unsigned kLayoutUseFloatingWidth = 0x04; // wrap at the remembered floating width
constexpr unsigned kLayoutHorzDock = 0x08;        // docked at the top or bottom
constexpr unsigned kLayoutVertDock = 0x10;        // docked at the left or right
constexpr unsigned kLayoutLengthIsHeight = 0x20;  // floating: the length is a height
constexpr unsigned kLayoutCommit = 0x40;          // write the result to the controls
constexpr unsigned kLayoutNoWrap = 0x80;          // never wrap: hide what does not fit
constexpr unsigned kLayoutWrapSquare = 0x100;     // wrap at the remembered width, keep it square

// The widest wrap length tried when searching a floating layout.
constexpr int kLayoutWidestWrap = 32767;
// The extra length a group start adds to a row while wrapping.
constexpr int kGroupWrapGap = 6;

struct LayoutRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize
{
    int cx = 0;
    int cy = 0;
    bool operator==(const LayoutSize&) const = default;
};

struct LayoutMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One control during one layout pass.
struct ControlLayoutItem
{
    LayoutRect rect;     // placed rectangle
    LayoutRect rowRect;  // the control's cell over the full row thickness
    int cx = 0;
    int cy = 0;
    bool visible = true;  // no hide reason other than "no room"
    bool rowBreak = false;
    bool hidden = false;  // no room: wrapped out of a bar that never wraps
    bool beginGroup = false;
    bool farEnd = false;   // packed against the far end of the bar
    bool stretched = false; // grows into the free length of its row
};

struct BarLayoutRequest
{
    int length = 0;
    unsigned mode = 0;
    LayoutMargins margins;
    int minimum = 0;
    LayoutSize separator;   // the drawer's separator: gap in a row, gap between rows
    int floatingWidth = 0;  // remembered floating width; 0 when none
};

// Wraps the visible items into rows no longer than `length` and returns the
// number of rows. A control longer than the row stays alone in its row. With
// kLayoutNoWrap the overflowing item and all after it are hidden instead; the
// stretch bit is added to `mode` whenever a row broke or items were hidden.
int WrapItems(std::span<ControlLayoutItem> items, int length, unsigned& mode);

// Places the wrapped items from (0, 0) (vertical columns grow to the left
// of 0) and returns the content size.
LayoutSize PlaceRows(std::span<ControlLayoutItem> items, LayoutSize separator, bool vertical);

// The whole pass: wraps by the mode, places the rows and, when committing,
// offsets, centres, packs far-end items and stretches. Returns the bar size
// including the margins. `items` is empty or all invisible for an empty bar.
LayoutSize CalcBarLayout(std::span<ControlLayoutItem> items, const BarLayoutRequest& request);

}  // namespace kit::commandbars
