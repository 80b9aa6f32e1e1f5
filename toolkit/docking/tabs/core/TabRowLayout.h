// The arithmetic of a tab strip that needs no window: the automatic tab
// colours, shortening a row until it fits, spreading tabs over several rows,
// the scroll offset that keeps a row (or one tab) in view, keyboard moves and
// the oriented margins. The strip and its drawer hand their tab lengths in and
// place the rectangles that come out, so every rule is checked natively.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/ColorMath.h"
#include "core/GradientGeometry.h"

namespace kit::tabs {

// Positions: tabs along the top, left, bottom or right edge.
constexpr int kPositionTop = 0;
constexpr int kPositionLeft = 1;
constexpr int kPositionBottom = 2;
constexpr int kPositionRight = 3;
constexpr bool IsHorizontalPosition(int position) { return position == kPositionTop || position == kPositionBottom; }

// Layouts: content-sized with scroll buttons, shortened to fit, fixed width,
// caption on the selected tab only, several rows, rotated.
constexpr int kLayoutSizeToFit = 0;
constexpr int kLayoutCompressed = 1;
constexpr int kLayoutFixed = 2;
constexpr int kLayoutSelectedCaption = 3;
constexpr int kLayoutMultiRow = 4;
constexpr int kLayoutRotated = 5;

// A tab colour is a COLORREF or one of eight automatic colour indexes.
constexpr std::uint32_t kAutoTabColorFirst = 0x1000000;
constexpr int kAutoTabColorCount = 8;

constexpr bool IsAutoTabColor(std::uint32_t colour)
{
    return colour >= kAutoTabColorFirst && colour < kAutoTabColorFirst + kAutoTabColorCount;
}
// The automatic index of a running number or a pane id; negative numbers
// wrap into the eight colours too, so that no id ever yields a literal colour.
std::uint32_t AutoTabColorIndex(std::int64_t number);
// An automatic index mapped to its colour; any other value is a COLORREF.
ColorRef ResolveTabColor(std::uint32_t colour);

// A length raised to the minimum and lowered to the maximum (each when above
// 0; the maximum wins), after the content margins were added.
int ClampTabLength(int length, int contentMargins, int minimum, int maximum);

// Shortens the tabs until their sum fits `available`: the longest tabs first,
// group by group of equal length. Lengths never become negative, also when
// the navigate buttons left no room at all.
void CompressTabLengths(std::span<int> lengths, int available);

// The scroll offset after a layout: never above 0, and a scrolled row never
// leaves empty room at its end while it could show more tabs.
int ClampScrollOffset(int offset, int totalLength, int visibleLength);

// The offset that brings the tab [tabStart, tabEnd) into the header
// [headerStart, headerEnd); `leadingMargin` is kept free before the first tab.
int ScrollOffsetToShow(int offset, int headerStart, int headerEnd, int leadingMargin, int tabStart, int tabEnd);

struct TabRowRange
{
    int first = 0;
    int last = -1;
    bool operator==(const TabRowRange&) const = default;
};

struct MultiRowLayout
{
    std::vector<TabRowRange> rows;  // row 0 lies next to the client area
    std::vector<int> rowOfTab;
    std::vector<int> lengths;  // stretched when the rows are balanced
};

// Several rows of `rowLength`: counted greedily, then spread evenly when
// `balanceRows` is set (each row stretched to the full length), and the row of
// `selected` moved next to the client area unless `keepRowOrder` is set.
MultiRowLayout LayoutTabRows(std::span<const int> lengths, int rowLength, bool balanceRows, int selected,
                             bool keepRowOrder);

// The start of row `row` of `rowCount` across the strip (its top for
// horizontal strips, its left for vertical ones), rows `rowHeight` deep and
// `rowSpacing` apart, with `outerMargin` kept at the strip's outer edge.
int RowStart(int position, const KitRect& rect, int outerMargin, int rowHeight, int rowSpacing, int row,
             int rowCount);

struct TabNavState
{
    bool shown = true;
    bool enabled = true;
};

// The first shown and enabled tab from `index` + `step` onward, or -1.
int FindNextNavigable(std::span<const TabNavState> tabs, int index, int step);

enum class TabKey
{
    Home,
    End,
    Left,
    Right,
    Up,
    Down,
    Other
};

struct TabKeyResult
{
    bool handled = false;
    int activate = -1;  // the tab to activate, -1 for none
};

// What a key does on a strip: the arrows along the strip move to the
// neighbouring navigable tab (left and right exchanged on a right-to-left
// window), the arrows across it are swallowed.
TabKeyResult TabForKey(std::span<const TabNavState> tabs, int selected, TabKey key, bool horizontal,
                       bool rightToLeft);

// Margins are written for a top strip (l the row's start, t the outer edge, r
// the row's end, b the client side) and turned with the position.
KitRect OrientMargins(const KitRect& margins, int position);
KitRect OrientedDeflate(const KitRect& rect, const KitRect& margins, int position);
KitRect OrientedInflate(const KitRect& rect, const KitRect& margins, int position);

// A navigate button placed at the far end of `rect` (14 x 15 pixels), which
// gives up the button's room.
constexpr int kNavigateButtonWidth = 14;
constexpr int kNavigateButtonHeight = 15;
KitRect PlaceNavigateButton(KitRect& rect, bool horizontal);

}  // namespace kit::tabs
