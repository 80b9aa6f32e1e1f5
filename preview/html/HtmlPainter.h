#pragma once
// Paints laid-out elements onto a canvas: backgrounds, background images, text runs,
// images and three-dimensional frames. The canvas is GDI in the window and a
// recording fake in the tests.

#include "BrowserElement.h"
#include "CBrowserImageCache.h"
#include "CMiniBrowserCallbacks.h"

namespace preview {

class HtmlCanvas {
 public:
  virtual ~HtmlCanvas() = default;
  virtual void FillRect(const HtmlRect& rectangle, HtmlColour colour) = 0;
  // The run's text in its own font at (x, y), top-left aligned, without a background.
  virtual void DrawTextRun(const BrowserElement& run, int x, int y, HtmlColour colour, bool underline, bool strike) = 0;
  virtual void StretchBitmap(const HtmlBitmap& bitmap, const HtmlRect& destination) = 0;
  // The top-left `width` by `height` pixels of the bitmap at (x, y): one tile.
  virtual void DrawBitmapPart(const HtmlBitmap& bitmap, int x, int y, int width, int height) = 0;
};

constexpr HtmlColour kSelectionNavy = 0x800000;
constexpr HtmlColour kHoverRed = 0x0000FF;
constexpr HtmlColour kFrameGrey = 0x808080;
constexpr HtmlColour kFrameWhite = 0xFFFFFF;

struct PaintRequest {
  HtmlRect clip;          // window coordinates
  int scrollX = 0, scrollY = 0;
  std::int32_t hoveredLink = -1;
  std::int32_t pageColour = -1;      // -1: not filled
  int pageImage = -1;
};

void PaintElements(BrowserElementList& elements, HtmlCanvas& canvas, CBrowserImageCache& images,
                   const PaintRequest& request);

}  // namespace preview
