#pragma once
// The DXF library's view-properties record and the arithmetic the view does on it:
// zooming about the window centre and panning by a mouse movement. A record with
// a zoom or scale of zero (a drawing of zero extent, or a library that has not set
// up its view) is refused instead of divided by.

#include <cstddef>
#include <cstdint>

namespace preview {

// 72 bytes, exchanged with drwGetViewProperties and drwSetViewProperties; the
// bytes not named here belong to the library and are passed back unchanged.
struct DxfViewProperties {
  uint32_t Reserved0;
  int32_t WindowLeft;
  int32_t WindowTop;
  int32_t WindowRight;
  int32_t WindowBottom;
  uint32_t Reserved20;
  double OriginX;
  double OriginY;
  double Reserved40;
  double Reserved48;
  double PixelsPerUnit;
  double ZoomLevel;
};
static_assert(sizeof(DxfViewProperties) == 72, "the library's record is 72 bytes");
static_assert(offsetof(DxfViewProperties, WindowLeft) == 4 && offsetof(DxfViewProperties, WindowBottom) == 16,
              "window rectangle at bytes 4 to 19");
static_assert(offsetof(DxfViewProperties, OriginX) == 24 && offsetof(DxfViewProperties, OriginY) == 32,
              "view origin at bytes 24 and 32");
static_assert(offsetof(DxfViewProperties, PixelsPerUnit) == 56 && offsetof(DxfViewProperties, ZoomLevel) == 64,
              "scale at byte 56, zoom at byte 64");

// Drawing units per pixel, 1 / (zoom x pixels per unit); false when that is not a
// finite positive number.
bool DrawingUnitsPerPixel(const DxfViewProperties& view, double& unitsPerPixel);

// Sets the zoom to `zoom` keeping the drawing point under the window centre in
// place; false (record unchanged) for a zoom that is not finite and positive or a
// record whose scale cannot be divided by.
bool ZoomAboutCentre(DxfViewProperties& view, double zoom);

// Moves the origin so the drawing follows the mouse by (dx, dy) pixels; false
// (record unchanged) when the scale cannot be divided by.
bool PanByPixels(DxfViewProperties& view, int dx, int dy);

// The zoom after one wheel step: times 1.5 for a delta above 0, times 2/3 otherwise.
double WheelZoom(double zoom, int wheelDelta);

}  // namespace preview
