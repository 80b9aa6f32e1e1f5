// The DXF entity reader and the fit of its extents over arbitrary text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "DxfDrawing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  preview::LooksLikeDxfWithHeader(data, size);
  preview::DxfDrawing drawing;
  preview::ReadDxfDrawing(std::string_view(reinterpret_cast<const char*>(data), size), drawing);
  preview::DxfViewProperties view = preview::FitExtents(drawing.Extents, 640, 480);
  preview::ZoomAboutCentre(view, 1.5);
  preview::PanByPixels(view, 3, -7);
  return 0;
}
