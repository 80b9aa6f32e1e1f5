#include "SplitterGeometry.h"

#include <gtest/gtest.h>

using namespace pages;

TEST(SplitterGeometry, SideBySideLeavesTheBarBetweenThePanes) {
  const PaneRect client{0, 0, 600, 300};
  const SideBySideGeometry g = SideBySideAt(client, 202, 5);
  EXPECT_EQ(g.First, (PaneRect{0, 0, 200, 300}));
  EXPECT_EQ(g.Second, (PaneRect{205, 0, 600, 300}));
  EXPECT_EQ(g.Bar, (PaneRect{197, 0, 207, 300}));
}

TEST(SplitterGeometry, StackedKeepsTheBottomUnderTheBar) {
  const PaneRect client{0, 0, 400, 500};
  const StackedGeometry g = StackedAt(client, 500 - 2 - 120, 5);
  EXPECT_EQ(g.Bottom, (PaneRect{0, 380, 400, 500}));
  EXPECT_EQ(g.Bottom.Bottom - g.Bottom.Top, 120);
  EXPECT_EQ(g.Top, (PaneRect{0, 0, 400, 375}));
  EXPECT_EQ(g.Bar, (PaneRect{0, 373, 400, 383}));
}

TEST(SplitterGeometry, ClampStopsAtBothMinima) {
  EXPECT_EQ(ClampSplit(10, 0, 600, 50, 150), 50);
  EXPECT_EQ(ClampSplit(590, 0, 600, 50, 150), 450);
  EXPECT_EQ(ClampSplit(300, 0, 600, 50, 150), 300);
  // Too narrow for both: the first pane's minimum wins.
  EXPECT_EQ(ClampSplit(100, 0, 120, 50, 150), 50);
}
