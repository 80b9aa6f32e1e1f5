#include "DxfViewProperties.h"

#include <cmath>

namespace preview {

namespace {
bool FinitePositive(double value) { return std::isfinite(value) && value > 0.0; }
}  // namespace

bool DrawingUnitsPerPixel(const DxfViewProperties& view, double& unitsPerPixel) {
  const double pixelsPerUnit = view.ZoomLevel * view.PixelsPerUnit;
  if (!FinitePositive(pixelsPerUnit)) return false;
  unitsPerPixel = 1.0 / pixelsPerUnit;
  return FinitePositive(unitsPerPixel);
}

bool ZoomAboutCentre(DxfViewProperties& view, double zoom) {
  double unitsPerPixel = 0.0;
  if (!FinitePositive(zoom) || !DrawingUnitsPerPixel(view, unitsPerPixel)) return false;
  const int cx = (view.WindowRight - view.WindowLeft) / 2;
  const int cy = (view.WindowBottom - view.WindowTop) / 2;
  const double centreX = cx * unitsPerPixel + view.OriginX;
  const double centreY = cy * unitsPerPixel + view.OriginY;
  DxfViewProperties zoomed = view;
  zoomed.ZoomLevel = zoom;
  double newUnitsPerPixel = 0.0;
  if (!DrawingUnitsPerPixel(zoomed, newUnitsPerPixel)) return false;
  zoomed.OriginX = centreX - newUnitsPerPixel * cx;
  zoomed.OriginY = centreY - newUnitsPerPixel * cy;
  view = zoomed;
  return true;
}

bool PanByPixels(DxfViewProperties& view, int dx, int dy) {
  double unitsPerPixel = 0.0;
  if (!DrawingUnitsPerPixel(view, unitsPerPixel)) return false;
  view.OriginX -= unitsPerPixel * dx;
  view.OriginY += unitsPerPixel * dy;
  return true;
}

double WheelZoom(double zoom, int wheelDelta) { return wheelDelta > 0 ? zoom * 1.5 : zoom * 2.0 / 3.0; }

}  // namespace preview
