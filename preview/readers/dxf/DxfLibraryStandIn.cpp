// "DXF.dll" for a machine without the DXF library: the entry points the DXF view
// binds, over the program's own DXF reader. A drawing is loaded from a text DXF,
// fitted to the window, zoomed and panned through the view-properties record and
// painted with GDI (y upwards, the origin at the window's lower left). The
// entry points the view never calls answer 0. No exception leaves a call: the
// caller is C code behind GetProcAddress.

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "DxfDrawing.h"

namespace {

constexpr uint64_t kMaxFileBytes = 64ull * 1024 * 1024;
// Device coordinates stay well inside what GDI takes.
constexpr double kMaxDeviceCoordinate = 1.0e6;

struct Drawing {
  preview::DxfDrawing content;
  preview::DxfViewProperties view{};
  bool loaded = false;
};

// The library's drawings by handle; handles are small numbers, never pointers.
std::map<uint32_t, std::unique_ptr<Drawing>>& Drawings() {
  static std::map<uint32_t, std::unique_ptr<Drawing>> drawings;
  return drawings;
}

Drawing* Find(uint32_t handle) {
  auto found = Drawings().find(handle);
  return found != Drawings().end() ? found->second.get() : nullptr;
}

bool ReadWholeFile(const char* path, std::string& text) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  size_t read = 0;
  bool ok = true;
  while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    if (text.size() + read > kMaxFileBytes) {
      ok = false;
      break;
    }
    text.append(buffer, read);
  }
  std::fclose(file);
  return ok;
}

// Drawing coordinates to device pixels.
class Mapping {
 public:
  explicit Mapping(const preview::DxfViewProperties& view)
      : view_(view), scale_(view.PixelsPerUnit * view.ZoomLevel) {}
  bool Usable() const { return std::isfinite(scale_) && scale_ > 0.0; }
  POINT At(double x, double y) const {
    return {Clamp(view_.WindowLeft + (x - view_.OriginX) * scale_),
            Clamp(view_.WindowBottom - (y - view_.OriginY) * scale_)};
  }
  int Length(double units) const { return Clamp(units * scale_); }

 private:
  static LONG Clamp(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<LONG>(std::clamp(value, -kMaxDeviceCoordinate, kMaxDeviceCoordinate));
  }
  preview::DxfViewProperties view_;
  double scale_;
};

void PaintEntity(HDC dc, const Mapping& map, const preview::DxfEntity& entity) {
  using preview::DxfEntityKind;
  if (entity.Points.empty()) return;
  const POINT first = map.At(entity.Points[0].X, entity.Points[0].Y);
  switch (entity.Kind) {
    case DxfEntityKind::Line:
    case DxfEntityKind::Polyline: {
      std::vector<POINT> points;
      points.reserve(entity.Points.size() + 1);
      for (const preview::DxfPoint& point : entity.Points) points.push_back(map.At(point.X, point.Y));
      if (entity.Closed && points.size() > 2) points.push_back(points.front());
      if (points.size() > 1) ::Polyline(dc, points.data(), static_cast<int>(points.size()));
      break;
    }
    case DxfEntityKind::Circle: {
      const int radius = map.Length(entity.Radius);
      ::Ellipse(dc, first.x - radius, first.y - radius, first.x + radius + 1, first.y + radius + 1);
      break;
    }
    case DxfEntityKind::Arc: {
      const int radius = map.Length(entity.Radius);
      const double pi = 3.14159265358979323846;
      const double start = entity.StartAngle * pi / 180.0, end = entity.EndAngle * pi / 180.0;
      const preview::DxfPoint& centre = entity.Points[0];
      const POINT from = map.At(centre.X + entity.Radius * std::cos(start), centre.Y + entity.Radius * std::sin(start));
      const POINT to = map.At(centre.X + entity.Radius * std::cos(end), centre.Y + entity.Radius * std::sin(end));
      // Counter-clockwise in the drawing is clockwise on the screen, whose y runs down.
      ::SetArcDirection(dc, AD_CLOCKWISE);
      ::Arc(dc, first.x - radius, first.y - radius, first.x + radius + 1, first.y + radius + 1, from.x, from.y, to.x,
            to.y);
      break;
    }
    case DxfEntityKind::Point:
      ::SetPixel(dc, first.x, first.y, RGB(0, 0, 0));
      break;
    case DxfEntityKind::Text: {
      const int height = std::clamp(map.Length(entity.Radius), 1, 2000);
      HFONT font = ::CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                 L"Arial");
      HGDIOBJ old = ::SelectObject(dc, font);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextAlign(dc, TA_LEFT | TA_BASELINE);
      ::TextOutA(dc, first.x, first.y, entity.Text.c_str(), static_cast<int>(std::min<size_t>(entity.Text.size(), 4096)));
      ::SelectObject(dc, old);
      ::DeleteObject(font);
      break;
    }
  }
}

}  // namespace

extern "C" {

__declspec(dllexport) uint32_t drwCreate() {
  try {
    static uint32_t nextHandle = 0;
    const uint32_t handle = ++nextHandle;
    Drawings()[handle] = std::make_unique<Drawing>();
    return handle;
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int drwDestroy(uint32_t handle) { return Drawings().erase(handle) > 0 ? 1 : 0; }

__declspec(dllexport) int drwLoadDataFromFile(uint32_t handle, uint32_t, uint32_t, const char* path, HWND) {
  try {
    Drawing* drawing = Find(handle);
    std::string text;
    if (drawing == nullptr || path == nullptr || !ReadWholeFile(path, text)) return 0;
    preview::DxfDrawing content;
    if (preview::ReadDxfDrawing(text, content).Status != preview::DxfReadStatus::Ok) return 0;
    drawing->content = std::move(content);
    drawing->loaded = true;
    return 1;
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int drwInitView(uint32_t handle, int x, int y, int width, int height) {
  Drawing* drawing = Find(handle);
  if (drawing == nullptr) return 0;
  drawing->view.WindowLeft = x;
  drawing->view.WindowTop = y;
  drawing->view.WindowRight = x + std::max(width, 1);
  drawing->view.WindowBottom = y + std::max(height, 1);
  return 1;
}

__declspec(dllexport) int drwZoomExtents(uint32_t handle) {
  Drawing* drawing = Find(handle);
  if (drawing == nullptr) return 0;
  const preview::DxfViewProperties& window = drawing->view;
  preview::DxfViewProperties fitted =
      preview::FitExtents(drawing->content.Extents, window.WindowRight - window.WindowLeft,
                          window.WindowBottom - window.WindowTop);
  fitted.WindowLeft = window.WindowLeft;
  fitted.WindowTop = window.WindowTop;
  fitted.WindowRight = window.WindowRight;
  fitted.WindowBottom = window.WindowBottom;
  drawing->view = fitted;
  return 1;
}

__declspec(dllexport) int drwPaint(uint32_t handle, HDC dc) {
  try {
    Drawing* drawing = Find(handle);
    if (drawing == nullptr || dc == nullptr) return 0;
    const preview::DxfViewProperties& view = drawing->view;
    const RECT window{view.WindowLeft, view.WindowTop, view.WindowRight, view.WindowBottom};
    ::FillRect(dc, &window, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const Mapping map(view);
    if (!drawing->loaded || !map.Usable()) return 1;
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    for (const preview::DxfEntity& entity : drawing->content.Entities) PaintEntity(dc, map, entity);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    return 1;
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int drwGetViewProperties(uint32_t handle, preview::DxfViewProperties* view) {
  Drawing* drawing = Find(handle);
  if (drawing == nullptr || view == nullptr) return 0;
  *view = drawing->view;
  return 1;
}

__declspec(dllexport) int drwSetViewProperties(uint32_t handle, const preview::DxfViewProperties* view) {
  Drawing* drawing = Find(handle);
  if (drawing == nullptr || view == nullptr) return 0;
  double unitsPerPixel = 0.0;
  if (!preview::DrawingUnitsPerPixel(*view, unitsPerPixel)) return 0;
  drawing->view = *view;
  return 1;
}

// The editing and saving calls of the library, which the view never makes.
__declspec(dllexport) int drwAddTableType() { return 0; }
__declspec(dllexport) int drwDeleteTableType() { return 0; }
__declspec(dllexport) int drwFindTableType() { return 0; }
__declspec(dllexport) int drwAddBlock() { return 0; }
__declspec(dllexport) int drwDeleteBlock() { return 0; }
__declspec(dllexport) int drwFindBlock() { return 0; }
__declspec(dllexport) int drwAddEntity() { return 0; }
__declspec(dllexport) int drwDeleteEntity() { return 0; }
__declspec(dllexport) int drwChangeEntity() { return 0; }
__declspec(dllexport) int drwFindEntity() { return 0; }
__declspec(dllexport) int drwSaveDataToFile() { return 0; }
__declspec(dllexport) int drwGetDrawingBorder() { return 0; }

}  // extern "C"
