// Where a splitter panel puts its two panes and its bar for a split point,
// in panel client coordinates. Kept apart from the window so that it can be
// checked without a display.
#pragma once

namespace pages {

struct PaneRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const PaneRect&) const = default;
};

struct SideBySideGeometry {
  PaneRect Bar;  // where a press starts a drag: twice the bar width wide
  PaneRect First;
  PaneRect Second;
};

struct StackedGeometry {
  PaneRect Bar;  // twice the bar width high
  PaneRect Top;
  PaneRect Bottom;
};

// The panes left and right of a bar centred on x; the bar's own pixels between
// them show the panel.
SideBySideGeometry SideBySideAt(const PaneRect& client, int x, int barWidth);
// The panes above and below a bar centred on y.
StackedGeometry StackedAt(const PaneRect& client, int y, int barWidth);

// Keeps a split point inside [low + minFirst, high - minSecond]; in a panel too
// small for both minima the first pane's minimum wins.
int ClampSplit(int point, int low, int high, int minFirst, int minSecond);

}  // namespace pages
