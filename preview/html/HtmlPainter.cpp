#include "HtmlPainter.h"

#include <algorithm>

#include "HtmlLayout.h"

namespace preview {

namespace {

constexpr int kMaxTiles = 10000;  // tiles of one background; a 1-pixel image cannot flood the paint

bool Meets(const HtmlRect& a, const HtmlRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class ElementPainter {
 public:
  ElementPainter(HtmlCanvas& canvas, CBrowserImageCache& images, const PaintRequest& request)
      : canvas_(canvas), images_(images), request_(request) {}

  void PaintPage(BrowserElementList& elements) {
    if (request_.pageColour != -1) canvas_.FillRect(request_.clip, static_cast<HtmlColour>(request_.pageColour));
    if (CBrowserImage* image = Ready(request_.pageImage)) {
      const int w = image->GetWidth(), h = image->GetHeight();
      // Tiles sit at multiples of the image's size from the page's origin.
      const long long firstX = static_cast<long long>(request_.scrollX + request_.clip.left) / w * w - request_.scrollX;
      const long long firstY = static_cast<long long>(request_.scrollY + request_.clip.top) / h * h - request_.scrollY;
      int tiles = 0;
      for (long long y = firstY; y < request_.clip.bottom && tiles < kMaxTiles; y += h)
        for (long long x = firstX; x < request_.clip.right && tiles < kMaxTiles; x += w, ++tiles)
          canvas_.DrawBitmapPart(*image->GetBitmap(), static_cast<int>(x), static_cast<int>(y), w, h);
    }
    PaintList(elements, 0);
  }

 private:
  CBrowserImage* Ready(int index) {
    CBrowserImage* image = images_.GetImage(index);
    if (image == nullptr || image->Decode(0, images_) == 0 || image->GetBitmap() == nullptr) return nullptr;
    if (image->GetWidth() <= 0 || image->GetHeight() <= 0) return nullptr;
    return image;
  }

  void PaintList(BrowserElementList& elements, int depth) {
    if (depth > kMaxLayoutNesting) return;
    for (auto& e : elements) Paint(*e, depth);
  }

  void Paint(BrowserElement& e, int depth) {
    if (e.control != kNoControl) return;
    const HtmlRect r{e.x - request_.scrollX, e.y - request_.scrollY, e.x - request_.scrollX + e.width,
                     e.y - request_.scrollY + e.height};
    if (!Meets(r, request_.clip)) return;
    const bool hovered = e.link >= 0 && e.link == request_.hoveredLink;

    if (e.selected) canvas_.FillRect(r, kSelectionNavy);
    else if (e.backgroundColour != -1) canvas_.FillRect(r, static_cast<HtmlColour>(e.backgroundColour));
    if (CBrowserImage* background = Ready(e.backgroundImage)) Tile(*background, r);

    if (e.kind == kElementImage) {
      if (CBrowserImage* image = Ready(e.image)) canvas_.StretchBitmap(*image->GetBitmap(), r);
    } else if (e.kind == kElementBox) {
      PaintList(e.children, depth + 1);
    } else if (e.kind == kElementText && e.width != 0) {
      const HtmlColour colour = e.selected ? 0xFFFFFF : hovered ? kHoverRed : e.textColour;
      const int x = r.left + ((e.edges & kEdgeLeft) ? e.edgeWidth : 0);
      const int y = r.top + ((e.edges & kEdgeTop) ? 2 * e.edgeWidth : 0);
      canvas_.DrawTextRun(e, x, y, colour, e.edges == kEdgeBottom, (e.edges & kEdgeMiddle) != 0);
    }

    const bool textLine = e.kind == kElementText && (e.edges == kEdgeBottom || e.edges == kEdgeMiddle);
    if (e.edges != 0 && e.edgeWidth > 0 && !textLine) Frame(e, r, hovered);
  }

  void Tile(CBrowserImage& image, const HtmlRect& r) {
    const int w = image.GetWidth(), h = image.GetHeight();
    int tiles = 0;
    for (long long y = r.top; y < r.bottom && tiles < kMaxTiles; y += h)
      for (long long x = r.left; x < r.right && tiles < kMaxTiles; x += w, ++tiles)
        canvas_.DrawBitmapPart(*image.GetBitmap(), static_cast<int>(x), static_cast<int>(y),
                               static_cast<int>(std::min<long long>(w, r.right - x)),
                               static_cast<int>(std::min<long long>(h, r.bottom - y)));
  }

  void Frame(const BrowserElement& e, const HtmlRect& r, bool hovered) {
    HtmlColour first = static_cast<HtmlColour>(e.edgeColour), second = first;
    if (e.edgeColour == kEdgeSunken) {
      first = kFrameGrey;
      second = kFrameWhite;
    } else if (e.edgeColour == kEdgeRaised) {
      first = kFrameWhite;
      second = kFrameGrey;
    } else if (hovered) {
      first = second = kHoverRed;
    }
    const int rings = std::min({e.edgeWidth, e.width / 2 + 1, e.height / 2 + 1, 100});
    for (int k = 0; k < rings; ++k) {
      const int left = r.left + k, top = r.top + k, right = r.right - 1 - k, bottom = r.bottom - 1 - k;
      if (e.edges & kEdgeLeft) canvas_.FillRect({left, top, left + 1, bottom + 1}, first);
      if (e.edges & kEdgeTop) canvas_.FillRect({left, top, right + 1, top + 1}, first);
      if (e.edges & kEdgeRight) canvas_.FillRect({right, top, right + 1, bottom + 1}, second);
      if (e.edges & kEdgeBottom) canvas_.FillRect({left, bottom, right + 1, bottom + 1}, second);
      if (e.edges & kEdgeMiddle) {
        const int middle = r.top + e.height / 2;
        canvas_.FillRect({left, middle, right + 1, middle + 1}, second);
      }
    }
  }

  HtmlCanvas& canvas_;
  CBrowserImageCache& images_;
  const PaintRequest& request_;
};

}  // namespace

void PaintElements(BrowserElementList& elements, HtmlCanvas& canvas, CBrowserImageCache& images,
                   const PaintRequest& request) {
  ElementPainter(canvas, images, request).PaintPage(elements);
}

}  // namespace preview
