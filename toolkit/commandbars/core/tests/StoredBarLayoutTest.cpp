#include "core/StoredBarLayout.h"

#include <gtest/gtest.h>

#include <climits>

using namespace kit::commandbars;

TEST(StoredBarLayout, PositionsScaleFromTheSavedScreenAndStayVisible)
{
    const StoredLayoutScaler scaler({1024, 768}, {1600, 1200}, {32, 32});
    EXPECT_TRUE(scaler.Rescales());
    EXPECT_EQ(scaler.ScalePoint({512, 384}).x, 800);
    EXPECT_EQ(scaler.ScalePoint({512, 384}).y, 600);
    const LayoutPoint beyond = scaler.ScalePoint({5000, 5000});
    EXPECT_EQ(beyond.x, 1600 - 32);
    EXPECT_EQ(beyond.y, 1200 - 32);
    const LayoutRect rect = scaler.ScaleRect({512, 384, 612, 414});
    EXPECT_EQ(rect, (LayoutRect{800, 600, 900, 630})) << "the corner scales, the size stays";
}

TEST(StoredBarLayout, ZeroSavedScreenIsNeverADivisor)
{
    for (LayoutSize saved : {LayoutSize{0, 768}, LayoutSize{1024, 0}, LayoutSize{-5, -5}})
    {
        const StoredLayoutScaler scaler(saved, {1024, 768}, {32, 32});
        EXPECT_FALSE(scaler.Rescales());
        EXPECT_EQ(scaler.ScalePoint({100, 100}).x, 100);
    }
}

TEST(StoredBarLayout, HugeStoredPositionsDoNotOverflow)
{
    const StoredLayoutScaler scaler({1, 1}, {1600, 1200}, {32, 32});
    const LayoutPoint point = scaler.ScalePoint({INT_MAX, INT_MIN});
    EXPECT_EQ(point.x, 1600 - 32);
    EXPECT_EQ(point.y, INT_MIN);
    const LayoutRect rect = scaler.ScaleRect({INT_MIN, 0, INT_MAX, 10});
    EXPECT_LE(rect.left, rect.right);
}

TEST(StoredBarLayout, CountsAndExtentsAreClamped)
{
    EXPECT_EQ(ClampStoredCount(-3, kMaxStoredBars), 0);
    EXPECT_EQ(ClampStoredCount(1000000, kMaxStoredBars), kMaxStoredBars);
    EXPECT_EQ(ClampStoredCount(4, kMaxStoredBars), 4);
    EXPECT_EQ(ClampStoredExtent(-1, 200), 200);
    EXPECT_EQ(ClampStoredExtent(99999, 200), 200);
    EXPECT_EQ(ClampStoredExtent(150, 200), 150);
}

TEST(StoredBarLayout, DuplicateDockEntriesAndRepeatedBreaksAreDropped)
{
    std::set<std::uint32_t> placed;
    const std::uint32_t top[] = {0, 128, 0, 0, 129, 128, 0};
    EXPECT_EQ(CleanDockEntries(top, placed), (std::vector<std::uint32_t>{0, 128, 0, 129, 0}));
    const std::uint32_t left[] = {0, 129, 0, 130, 0};
    EXPECT_EQ(CleanDockEntries(left, placed), (std::vector<std::uint32_t>{0, 130, 0}))
        << "a bar docked on top stays there";
}

TEST(StoredBarLayout, BarsOffEveryMonitorComeBackOnThePrimary)
{
    const LayoutRect monitors[] = {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
    EXPECT_EQ(KeepOnAMonitor({1500, 100, 1700, 160}, monitors), (LayoutRect{1500, 100, 1700, 160}))
        << "on the second monitor: unchanged";
    EXPECT_EQ(KeepOnAMonitor({5000, -900, 5200, -840}, monitors), (LayoutRect{824, 0, 1024, 60}));
    EXPECT_EQ(KeepOnAMonitor({-400, 300, -400, 300}, monitors), (LayoutRect{0, 300, 0, 300}))
        << "an unsized bar counts as its corner";
}
