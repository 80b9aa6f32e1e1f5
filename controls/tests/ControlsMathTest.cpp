// The portable arithmetic of the application controls: pie geometry over every
// size a drive can report, progress percentages, colours and skin-region runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ColorMath.h"
#include "PieGeometry.h"
#include "ProgressMath.h"
#include "RegionRuns.h"

namespace {

using charts::DiskPieLayout;
using charts::PieRect;

struct DriveSizes {
  const char* name;
  uint64_t total;
  uint64_t free;
  int percent;
};

const DriveSizes kDrives[] = {
    {"empty drive", 1000, 1000, 0},
    {"full drive", 1000, 0, 100},
    {"tiny drive", 1, 0, 100},
    {"one byte used of many", 0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFEull, 0},
    {"huge half full", 0xFFFFFFFFFFFFFFFFull, 0x7FFFFFFFFFFFFFFFull, 50},
    {"huge nearly full", 0xFFFFFFFFFFFFFFFFull, 1, 99},
    {"no size at all", 0, 0, 0},
    {"free above total", 10, 20, 0},
    {"a quarter used", 4ull << 40, 3ull << 40, 25},
};

TEST(PieGeometryTest, UsedPercentOfEverySize) {
  for (const DriveSizes& drive : kDrives) {
    EXPECT_EQ(charts::UsedPercent(charts::UsedBytes(drive.total, drive.free), drive.total), drive.percent)
        << drive.name;
  }
}

void ExpectInside(const PieRect& outer, const PieRect& inner, const char* what, const char* drive, int w, int h) {
  EXPECT_TRUE(charts::Encloses(outer, inner)) << what << " of " << drive << " on " << w << "x" << h << ": (" << inner.left
                                     << "," << inner.top << ")-(" << inner.right << "," << inner.bottom << ")";
}

TEST(PieGeometryTest, EverySliceAndCaptionStaysInsideTheControl) {
  const int sizes[][2] = {{200, 190}, {200, 170}, {60, 80}, {1000, 90}};
  for (const auto& size : sizes) {
    const PieRect client{0, 0, size[0], size[1]};
    for (const DriveSizes& drive : kDrives) {
      for (int percent : {drive.percent, 1, 4, 5, 24, 25, 49, 50, 51, 74, 75, 95, 96, 99}) {
        DiskPieLayout layout = charts::LayoutDiskPie(size[0], size[1], percent);
        ASSERT_TRUE(layout.valid);
        ExpectInside(client, layout.pie, "pie", drive.name, size[0], size[1]);
        for (const PieRect* part : {&layout.leftBand, &layout.rightBand, &layout.usedSquare, &layout.freeSquare}) {
          ExpectInside(client, *part, "band or square", drive.name, size[0], size[1]);
        }
        ExpectInside(layout.pie, layout.lowerFace, "lower face", drive.name, size[0], size[1]);
        ExpectInside(layout.pie, layout.upperFace, "upper face", drive.name, size[0], size[1]);
        ExpectInside(layout.pie, layout.cutMarker, "cut marker", drive.name, size[0], size[1]);
        EXPECT_TRUE(layout.pie.ContainsInclusive(layout.cut)) << drive.name << " " << percent;
      }
    }
  }
}

TEST(PieGeometryTest, QuartersOfTheEllipse) {
  const charts::PiePoint lowest = charts::PointOnEllipse(0, 150, 42, 150, 110);
  EXPECT_EQ(lowest.x, 150);
  EXPECT_EQ(lowest.y, 152);
  const charts::PiePoint leftmost = charts::PointOnEllipse(25, 150, 42, 150, 110);
  EXPECT_EQ(leftmost.x, 0);
  EXPECT_EQ(leftmost.y, 110);
  const charts::PiePoint highest = charts::PointOnEllipse(50, 150, 42, 150, 110);
  EXPECT_EQ(highest.y, 68);
  const charts::PiePoint rightmost = charts::PointOnEllipse(75, 150, 42, 150, 110);
  EXPECT_EQ(rightmost.x, 300);
  EXPECT_EQ(charts::PointOnEllipse(100, 150, 42, 150, 110).y, 152);
  EXPECT_EQ(charts::PointOnEllipse(30, 0, 42, 10, 10).x, 10);  // a degenerate ellipse divides by nothing
}

TEST(PieGeometryTest, BandsAndSlicesFollowThePercentage) {
  DiskPieLayout empty = charts::LayoutDiskPie(200, 190, 0);
  EXPECT_FALSE(empty.leftBandUsed);
  EXPECT_FALSE(empty.rightBandUsed);
  EXPECT_TRUE(empty.drawFreeSlice);
  DiskPieLayout quarter = charts::LayoutDiskPie(200, 190, 25);
  EXPECT_TRUE(quarter.leftBandUsed);
  EXPECT_FALSE(quarter.rightBandUsed);
  DiskPieLayout full = charts::LayoutDiskPie(200, 190, 100);
  EXPECT_TRUE(full.leftBandUsed);
  EXPECT_TRUE(full.rightBandUsed);
  EXPECT_FALSE(full.drawFreeSlice);
  EXPECT_FALSE(charts::LayoutDiskPie(10, 10, 50).valid);
}

TEST(PieGeometryTest, PieChartEndPointsRunCounterclockwiseFromTheTop) {
  // pi is taken as 3.1415926, so the quarters land a unit short.
  EXPECT_EQ(charts::PieChartEndPoint(0).x, 0);
  EXPECT_NEAR(charts::PieChartEndPoint(0).y, -750, 1);
  EXPECT_NEAR(charts::PieChartEndPoint(25).x, -1000, 1);
  EXPECT_NEAR(charts::PieChartEndPoint(50).y, 750, 1);
  EXPECT_NEAR(charts::PieChartEndPoint(75).x, 1000, 1);
}

TEST(ProgressMathTest, PercentNeverWrapsNorDividesByAnEmptyRange) {
  struct Case {
    int position, lower, upper, percent;
  } cases[] = {{100, 0, 100, 100}, {150, 0, 100, 100}, {37, 0, 100, 37}, {-5, 0, 100, 0},
               {5, 5, 5, 100},     {4, 5, 5, 0},       {INT32_MAX, INT32_MIN, INT32_MAX, 100},
               {0, INT32_MIN, INT32_MAX, 50}, {-1, 100, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(progress::PercentOf(c.position, c.lower, c.upper), c.percent)
        << c.position << " in " << c.lower << ".." << c.upper;
  }
  EXPECT_EQ(progress::FilledLength(50, 0, 100, 300), 150);
  EXPECT_EQ(progress::FilledLength(500, 0, 100, 300), 300);
  EXPECT_EQ(progress::FilledLength(3, 3, 3, 300), 300);
  EXPECT_EQ(progress::PercentLabel(100), L"100%");
  EXPECT_EQ(progress::CaptionWithPercent(L"Progress...", 37), L"Progress... 37%");
}

TEST(ProgressMathTest, SnakeRunsBackAndForth) {
  // Range 0-100, length 40: stepping by 10 moves head and tail together once
  // the head is past 40; past 140 the head comes back at the start.
  progress::SnakeState s = progress::MoveSnake(40, 0, 10, true, 0, 100, 40);
  EXPECT_EQ(s.head, 50);
  EXPECT_EQ(s.tail, 10);
  s = progress::MoveSnake(140, 100, 10, true, 0, 100, 40);
  EXPECT_TRUE(s.reversedToggled);
  EXPECT_EQ(s.head, 10);
  EXPECT_EQ(s.tail, 0);
  s = progress::MoveSnake(0, 0, 120, false, 0, 100, 40);
  EXPECT_TRUE(s.headBeyondEnd);
  EXPECT_EQ(s.tail, 80);
}

TEST(ColorMathTest, HueLightnessSaturation) {
  EXPECT_EQ(colors::RGBtoHLS(colors::MakeColour(128, 128, 128)) & 0xFF00FF, 0u);
  EXPECT_EQ(colors::RGBtoHLS(colors::MakeColour(0, 0, 255)) & 0xFF, 170u);
  EXPECT_EQ(colors::RGBtoHLS(colors::MakeColour(255, 0, 0)) & 0xFF, 255u);
  const colors::Colour red = colors::HLStoRGB(colors::RGBtoHLS(colors::MakeColour(255, 0, 0)));
  EXPECT_GE(colors::Red(red), 254);  // lightness 0.5 packs as 127
  EXPECT_EQ(colors::Green(red), 0);
  EXPECT_EQ(colors::Blue(red), 0);
  const colors::Colour c = colors::MakeColour(10, 120, 200);
  EXPECT_EQ(colors::AdjustColorHLS(colors::MakeColour(255, 255, 255), 0, 0), colors::MakeColour(255, 255, 255));
  EXPECT_EQ(colors::AdjustColorHLS(c, 100, 0), colors::MakeColour(255, 255, 255));
  EXPECT_EQ(colors::AdjustColorHLS(c, -100, 0), colors::MakeColour(0, 0, 0));
}

TEST(ColorMathTest, ShiftKeepsTheHueAndTheChannelsInRange) {
  EXPECT_EQ(colors::ShiftColour(colors::MakeColour(200, 100, 50), 100), colors::MakeColour(255, 155, 105));
  EXPECT_EQ(colors::ShiftColour(colors::MakeColour(200, 100, 50), -100), colors::MakeColour(150, 50, 0));
  EXPECT_EQ(colors::BlendTowardWhite(colors::MakeColour(0, 100, 255), 0.5), colors::MakeColour(127, 177, 255));
  EXPECT_EQ(colors::BlendTowardBlack(colors::MakeColour(200, 100, 50), 0.25), colors::MakeColour(150, 75, 37));
  EXPECT_EQ(colors::BlendTowardWhite(colors::MakeColour(1, 2, 3), 1.5), colors::MakeColour(1, 2, 3));
}

TEST(ColorMathTest, TransparentColourTolerance) {
  const colors::ColourTolerance green(colors::MakeColour(0, 255, 0));
  EXPECT_TRUE(green.Matches(17, 238, 17));
  EXPECT_FALSE(green.Matches(18, 238, 17));
  EXPECT_FALSE(green.Matches(17, 237, 17));
  const colors::ColourTolerance white(0xFFFFFF), black(0);
  EXPECT_TRUE(white.Matches(239, 239, 239));
  EXPECT_FALSE(white.Matches(238, 239, 239));
  EXPECT_TRUE(black.Matches(16, 16, 16));
  EXPECT_FALSE(black.Matches(17, 0, 0));
}

std::vector<regions::RunRect> Runs(const std::vector<uint32_t>& pixels, int width, bool matching, size_t batch,
                                   int* flushes = nullptr) {
  std::vector<regions::RunRect> all;
  regions::CollectRuns(reinterpret_cast<const uint8_t*>(pixels.data()), width,
                       static_cast<int>(pixels.size() / width), width * 4u, colors::MakeColour(0, 255, 0), matching,
                       batch, [&](const std::vector<regions::RunRect>& b) {
                         if (flushes) ++*flushes;
                         all.insert(all.end(), b.begin(), b.end());
                       });
  return all;
}

TEST(RegionRunsTest, RunsOfTheCollectedKind) {
  const uint32_t g = 0x0000FF00, r = 0x00FF0000;  // BGRA in memory: green, red
  const std::vector<uint32_t> pixels = {g, r, r, g, r, g, g, g};
  auto solid = Runs(pixels, 4, false, regions::kRegionBatch);
  ASSERT_EQ(solid.size(), 2u);
  EXPECT_EQ(solid[0].left, 1);
  EXPECT_EQ(solid[0].right, 3);
  EXPECT_EQ(solid[1].left, 0);
  EXPECT_EQ(solid[1].top, 1);
  EXPECT_EQ(solid[1].right, 1);
  EXPECT_TRUE(Runs({g, g, g, g}, 2, false, regions::kRegionBatch).empty());
  EXPECT_EQ(Runs({r, r}, 2, false, regions::kRegionBatch).size(), 1u);
}

TEST(RegionRunsTest, BatchesInTheMiddleOfARowGiveTheSameRuns) {
  std::vector<uint32_t> row(6401);
  for (size_t i = 0; i < row.size(); ++i) row[i] = i % 2 ? 0x0000FF00 : 0x000000FF;
  int flushes = 0;
  auto batched = Runs(row, 6401, false, regions::kRegionBatch, &flushes);
  auto whole = Runs(row, 6401, false, 1u << 20);
  EXPECT_EQ(batched.size(), 3201u);
  EXPECT_EQ(flushes, 2);
  ASSERT_EQ(batched.size(), whole.size());
  for (size_t i = 0; i < whole.size(); ++i) EXPECT_EQ(batched[i].left, whole[i].left);
}

}  // namespace
