// The DXF view's portable side: which files count as DXF with a header, the
// entities and extents read from drawings written here, damaged drawings, fitting
// drawings of zero extent, and zooming and panning the library's view record.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "DxfDrawing.h"
#include "DxfViewProperties.h"

using namespace preview;

namespace {

std::string Groups(std::initializer_list<std::pair<int, const char*>> groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += std::to_string(code) + "\r\n" + value + "\r\n";
  return text;
}

const std::string kHeader = Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {0, "ENDSEC"}});

std::string Drawing(const std::string& entities) {
  return kHeader + Groups({{0, "SECTION"}, {2, "ENTITIES"}}) + entities + Groups({{0, "ENDSEC"}, {0, "EOF"}});
}

bool Candidate(const std::string& text) {
  return LooksLikeDxfWithHeader(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

}  // namespace

TEST(DxfCandidate, OnlyTextDxfStartingWithItsHeaderSection) {
  EXPECT_TRUE(Candidate(Drawing("")));
  EXPECT_FALSE(Candidate(Groups({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}, {0, "EOF"}})));
  EXPECT_FALSE(Candidate(Groups({{0, "SECTION"}, {2, "TABLES"}})));
  EXPECT_FALSE(Candidate(std::string("AutoCAD Binary DXF\r\n\x1A\0", 22) + "SECTION HEADER"));
  EXPECT_FALSE(Candidate(std::string(520, ' ') + "SECTION HEADER"));  // beyond the first 511 bytes
  EXPECT_FALSE(Candidate(""));
  EXPECT_FALSE(LooksLikeDxfWithHeader(nullptr, 10));
}

TEST(DxfDrawingReader, ReadsEntitiesWithTheirExtents) {
  const std::string text = Drawing(
      Groups({{0, "LINE"}, {8, "WALLS"}, {10, "0"}, {20, "0"}, {11, "100"}, {21, "50"}}) +
      Groups({{0, "CIRCLE"}, {10, "200"}, {20, "10"}, {40, "5"}}) +
      Groups({{0, "ARC"}, {10, "0"}, {20, "0"}, {40, "2"}, {50, "0"}, {51, "90"}}) +
      Groups({{0, "LWPOLYLINE"}, {90, "3"}, {70, "1"}, {10, "1"}, {20, "2"}, {10, "3"}, {20, "4"}, {10, "5"},
              {20, "-6"}}) +
      Groups({{0, "TEXT"}, {10, "7"}, {20, "8"}, {40, "2.5"}, {1, "Room 1"}}) +
      Groups({{0, "SPLINE"}, {10, "9999"}, {20, "9999"}}) + Groups({{0, "POINT"}, {10, "-3"}, {20, "1"}}));
  DxfDrawing drawing;
  const DxfReadResult result = ReadDxfDrawing(text, drawing);
  ASSERT_EQ(result.Status, DxfReadStatus::Ok);
  ASSERT_EQ(drawing.Entities.size(), 6u);  // the spline is stepped over
  EXPECT_EQ(drawing.Entities[0].Kind, DxfEntityKind::Line);
  EXPECT_EQ(drawing.Entities[0].Layer, "WALLS");
  EXPECT_DOUBLE_EQ(drawing.Entities[0].Points[1].X, 100.0);
  EXPECT_DOUBLE_EQ(drawing.Entities[0].Points[1].Y, 50.0);
  EXPECT_DOUBLE_EQ(drawing.Entities[1].Radius, 5.0);
  EXPECT_DOUBLE_EQ(drawing.Entities[2].EndAngle, 90.0);
  ASSERT_EQ(drawing.Entities[3].Points.size(), 3u);
  EXPECT_TRUE(drawing.Entities[3].Closed);
  EXPECT_DOUBLE_EQ(drawing.Entities[3].Points[2].Y, -6.0);
  EXPECT_EQ(drawing.Entities[4].Text, "Room 1");
  EXPECT_EQ(drawing.Entities[5].Kind, DxfEntityKind::Point);
  EXPECT_DOUBLE_EQ(drawing.Extents.Min.X, -3.0);
  EXPECT_DOUBLE_EQ(drawing.Extents.Min.Y, -6.0);
  EXPECT_DOUBLE_EQ(drawing.Extents.Max.X, 205.0);
  EXPECT_DOUBLE_EQ(drawing.Extents.Max.Y, 50.0);
}

TEST(DxfDrawingReader, EntitiesOutsideTheEntitiesSectionAreNotDrawn) {
  const std::string text = kHeader + Groups({{0, "SECTION"}, {2, "BLOCKS"}, {0, "LINE"}, {10, "1"}, {20, "1"},
                                             {0, "ENDSEC"}, {0, "EOF"}});
  DxfDrawing drawing;
  EXPECT_EQ(ReadDxfDrawing(text, drawing).Status, DxfReadStatus::Ok);
  EXPECT_TRUE(drawing.Entities.empty());
  EXPECT_TRUE(drawing.Extents.Empty);
}

TEST(DxfDrawingReader, DamagedDrawingsAreRefusedWithTheirLine) {
  const struct {
    const char* Name;
    std::string Text;
    DxfReadStatus Status;
  } cases[] = {
      {"group code not a number", Drawing("X0\nLINE\n"), DxfReadStatus::BadGroupCode},
      {"group code with trailing text", Drawing("10abc\n1\n"), DxfReadStatus::BadGroupCode},
      {"coordinate not a number", Drawing(Groups({{0, "LINE"}, {10, "ten"}})), DxfReadStatus::BadNumber},
      {"coordinate infinite", Drawing(Groups({{0, "POINT"}, {10, "1e999"}})), DxfReadStatus::BadNumber},
      {"coordinate NaN", Drawing(Groups({{0, "CIRCLE"}, {40, "nan"}})), DxfReadStatus::BadNumber},
      {"polyline flags beyond their word", Drawing(Groups({{0, "LWPOLYLINE"}, {70, "1e50"}})),
       DxfReadStatus::BadNumber},
      {"value without its line", kHeader + "0\r\nSECTION\r\n2", DxfReadStatus::Truncated},
      {"value too long", Drawing(Groups({{0, "TEXT"}}) + "1\n" + std::string(5000, 'a') + "\n"),
       DxfReadStatus::TooLarge},
      {"NUL inside", std::string("0\nSECTION\n\0", 11), DxfReadStatus::NotText},
  };
  for (const auto& damaged : cases) {
    SCOPED_TRACE(damaged.Name);
    DxfDrawing drawing;
    const DxfReadResult result = ReadDxfDrawing(damaged.Text, drawing);
    EXPECT_EQ(result.Status, damaged.Status);
    if (damaged.Status != DxfReadStatus::NotText) {
      EXPECT_GT(result.Line, 0u);
    }
  }
}

TEST(DxfFit, DrawingsOfZeroExtentAreFittedWithoutDividingByZero) {
  const struct {
    const char* Name;
    std::string Entities;
    double PixelsPerUnit;
  } cases[] = {
      {"one point", Groups({{0, "POINT"}, {10, "5"}, {20, "5"}}), 1.0},
      {"vertical line", Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "0"}, {21, "100"}}), 2.0},
      {"horizontal line", Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "400"}, {21, "0"}}), 1.0},
      {"nothing", "", 1.0},
  };
  for (const auto& drawn : cases) {
    SCOPED_TRACE(drawn.Name);
    DxfDrawing drawing;
    ASSERT_EQ(ReadDxfDrawing(Drawing(drawn.Entities), drawing).Status, DxfReadStatus::Ok);
    DxfViewProperties view = FitExtents(drawing.Extents, 400, 200);
    EXPECT_DOUBLE_EQ(view.PixelsPerUnit, drawn.PixelsPerUnit);
    EXPECT_TRUE(std::isfinite(view.OriginX) && std::isfinite(view.OriginY));
    EXPECT_TRUE(ZoomAboutCentre(view, 2.0));
    EXPECT_TRUE(std::isfinite(view.OriginX) && std::isfinite(view.OriginY));
  }
  DxfExtents huge;
  huge.Add(-1e308, -1e308);
  huge.Add(1e308, 1e308);
  const DxfViewProperties view = FitExtents(huge, 0, 0);
  EXPECT_TRUE(std::isfinite(view.PixelsPerUnit) && view.PixelsPerUnit > 0.0);
  EXPECT_TRUE(std::isfinite(view.OriginX));
}

namespace {
DxfViewProperties View(double zoom, double pixelsPerUnit) {
  DxfViewProperties view{};
  view.WindowRight = 600;
  view.WindowBottom = 400;
  view.OriginX = 10.0;
  view.OriginY = -20.0;
  view.PixelsPerUnit = pixelsPerUnit;
  view.ZoomLevel = zoom;
  view.Reserved40 = 123.5;
  return view;
}
}  // namespace

TEST(DxfZoom, WheelStepsZoomAboutTheWindowCentre) {
  DxfViewProperties view = View(1.0, 2.0);
  const double centreX = 300 / 2.0 + view.OriginX;
  const double centreY = 200 / 2.0 + view.OriginY;
  for (int step = 0; step < 3; ++step) ASSERT_TRUE(ZoomAboutCentre(view, WheelZoom(view.ZoomLevel, 120)));
  EXPECT_NEAR(view.ZoomLevel, 3.375, 1e-12);
  EXPECT_NEAR(300 / (view.ZoomLevel * 2.0) + view.OriginX, centreX, 1e-9);
  EXPECT_NEAR(200 / (view.ZoomLevel * 2.0) + view.OriginY, centreY, 1e-9);
  EXPECT_DOUBLE_EQ(view.Reserved40, 123.5);  // the library's own bytes pass back unchanged

  DxfViewProperties back = View(1.0, 2.0);
  ASSERT_TRUE(ZoomAboutCentre(back, WheelZoom(back.ZoomLevel, 120)));
  ASSERT_TRUE(ZoomAboutCentre(back, WheelZoom(back.ZoomLevel, -120)));
  EXPECT_NEAR(back.ZoomLevel, 1.0, 1e-12);
  EXPECT_NEAR(back.OriginX, 10.0, 1e-9);
  EXPECT_DOUBLE_EQ(WheelZoom(1.0, 0), 2.0 / 3.0);
}

TEST(DxfZoom, ZeroOrBrokenScaleIsRefusedAndLeavesTheRecord) {
  for (const DxfViewProperties& start : {View(0.0, 2.0), View(1.0, 0.0), View(1.0, -1.0), View(NAN, 2.0)}) {
    DxfViewProperties view = start;
    EXPECT_FALSE(ZoomAboutCentre(view, 1.5));
    EXPECT_FALSE(PanByPixels(view, 10, 10));
    EXPECT_EQ(std::memcmp(&view, &start, sizeof(view)), 0);
  }
  DxfViewProperties view = View(1.0, 2.0);
  EXPECT_FALSE(ZoomAboutCentre(view, 0.0));
  EXPECT_FALSE(ZoomAboutCentre(view, INFINITY));
  EXPECT_DOUBLE_EQ(view.ZoomLevel, 1.0);
}

TEST(DxfPan, DraggingTenPixelsRightAtTwoPixelsPerUnitMovesFiveUnits) {
  DxfViewProperties view = View(1.0, 2.0);
  ASSERT_TRUE(PanByPixels(view, 10, 4));
  EXPECT_DOUBLE_EQ(view.OriginX, 5.0);
  EXPECT_DOUBLE_EQ(view.OriginY, -18.0);
}
