#pragma once
// Reads the entities of a text DXF drawing (group code and value lines) for the
// DXF view: lines, circles, arcs, points, light-weight polylines and texts of the
// ENTITIES section, with the extents of the drawing. Other sections and other
// entity types are stepped over. Counts and lengths are capped, and coordinates
// that are not finite numbers make the drawing unreadable rather than poison its
// extents.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DxfViewProperties.h"

namespace preview {

// The first 511 bytes, up to a NUL, name both "SECTION" and "HEADER": a text DXF
// that begins with its header section. Binary DXF fails, its sentinel holding a NUL.
bool LooksLikeDxfWithHeader(const uint8_t* data, size_t size);

struct DxfPoint {
  double X = 0.0;
  double Y = 0.0;
};

enum class DxfEntityKind { Line, Circle, Arc, Point, Polyline, Text };

struct DxfEntity {
  DxfEntityKind Kind = DxfEntityKind::Point;
  std::string Layer;
  std::vector<DxfPoint> Points;  // line: 2; circle, arc, point, text: 1; polyline: its vertices
  double Radius = 0.0;           // circle and arc; text height
  double StartAngle = 0.0;       // arc, degrees
  double EndAngle = 360.0;
  bool Closed = false;           // polyline
  std::string Text;
};

struct DxfExtents {
  bool Empty = true;
  DxfPoint Min;
  DxfPoint Max;
  void Add(double x, double y);
};

struct DxfDrawing {
  std::vector<DxfEntity> Entities;
  DxfExtents Extents;
};

enum class DxfReadStatus { Ok, NotText, BadGroupCode, BadNumber, TooLarge, Truncated };

struct DxfReadResult {
  DxfReadStatus Status = DxfReadStatus::Ok;
  size_t Line = 0;  // 1-based line of the fault
};

constexpr size_t kDxfMaxEntities = 1000000;
constexpr size_t kDxfMaxVertices = 4000000;  // over all polylines
constexpr size_t kDxfMaxValueLength = 4096;

DxfReadResult ReadDxfDrawing(std::string_view text, DxfDrawing& drawing);

// The view that shows the whole of `extents` in a window of `width` x `height`
// pixels at zoom 1. A drawing of zero width or height (one point, one straight
// line along an axis) is fitted by its other side, and a single point is shown
// centred at one pixel per unit.
DxfViewProperties FitExtents(const DxfExtents& extents, int width, int height);

}  // namespace preview
