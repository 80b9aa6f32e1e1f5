#pragma once
// Places a page's elements: words flow left to right into lines that are aligned left,
// right, centred or justified; runs of boxes are tables with their own column-width
// rules; floating images and tables indent the lines beside them. Text is never
// measured here: every width comes from the elements.
//
// Recovered pages are untrusted: every size read from a page is clamped, pixel
// hand-outs are computed rather than looped one pixel at a time, nesting is capped,
// and one layout does a bounded amount of work, so no page can hang the preview.

#include "BrowserElement.h"

namespace preview {

struct LayoutArea {
  int left = 0, top = 0, width = 0, height = 0;
};

// Sizes an image element (its requested size completed from the picture).
class LayoutImageSizer {
 public:
  virtual ~LayoutImageSizer() = default;
  virtual void SizeImage(BrowserElement& image) = 0;
};

constexpr int kMaxLayoutNesting = 64;
// Widths, heights, paddings and spacings from a page count at most this many pixels.
constexpr int kMaxLayoutPixels = 20000;
// Columns of one table; cells past the last share it.
constexpr int kMaxTableColumns = 256;

// Lays `elements` out in `area` (whose width is the page width), and returns in the
// area's width and height the extent: the largest right and bottom edges of the
// elements, one-space runs left out. Cached box measures are reset first.
void LayoutDocument(BrowserElementList& elements, LayoutArea& area, LayoutImageSizer& images);

// True for a text run of exactly one space (line ends and extents pass over them).
bool IsOneSpaceRun(const BrowserElement& element);

}  // namespace preview
