#pragma once
// One page of the renderer: its elements, its links and its image store. Loading
// parses a page into elements; layout places them for a width; paint draws them; the
// pointer questions find links and mark selections. Portable: the window layer
// supplies the measurer, the picture decoder and the canvas.

#include <string>
#include <string_view>

#include "BrowserElement.h"
#include "CBrowserImageCache.h"
#include "CMiniBrowserCallbacks.h"
#include "CStringRowArray.h"
#include "HtmlLayout.h"
#include "HtmlPainter.h"
#include "HtmlUrl.h"

namespace preview {

class CBrowserDocument : private LayoutImageSizer {
 public:
  // `callbacks` may be null: then nothing is fetched, forms make no controls and the
  // pointer questions answer nothing. With `waitForImages`, layout waits for every
  // image's download before sizing it.
  CBrowserDocument(CMiniBrowserCallbacks* callbacks, HtmlTextMeasurer& measurer, HtmlImageDecoder& decoder,
                   bool waitForImages = false);
  ~CBrowserDocument() override;
  CBrowserDocument(const CBrowserDocument&) = delete;
  CBrowserDocument& operator=(const CBrowserDocument&) = delete;

  // Replaces the whole content. `baseUrl` resolves links and images and tells a ".txt"
  // page; `origin` says whether the page may reach the network for its resources.
  void Load(std::u16string_view page, std::u16string_view face, int fontHeight, HtmlColour textColour,
            std::u16string_view baseUrl, PageOrigin origin);
  // Lays the page out in the area; afterwards the area holds the page's extent, and
  // every host control has been moved to its field.
  void Layout(LayoutArea& area);
  void Paint(HtmlCanvas& canvas, const HtmlRect& clip, int scrollX, int scrollY);
  // Document coordinates.
  void OnMouseMove(int x, int y);
  void OnClick(int x, int y);
  void SelectRect(const HtmlRect& rectangle);
  void InvalidateImage(int image);
  void InvalidateLink(std::u16string_view target);
  void GetStats(int& items, int& images, int& links, int& level) const;
  bool IsLoading() const { return loading_; }

  const BrowserElementList& Elements() const { return elements_; }
  const CStringRowArray& Links() const { return links_; }
  std::int32_t HoveredLink() const { return hoveredLink_; }
  CBrowserImageCache& Images() { return images_; }

 private:
  void SizeImage(BrowserElement& image) override;
  // The innermost linked element under the point (a box's content before the box).
  const BrowserElement* HitTest(const BrowserElementList& elements, int x, int y, int depth) const;
  template <typename Visit>
  void ForEach(BrowserElementList& elements, Visit visit, int depth = 0);

  CMiniBrowserCallbacks* const callbacks_;
  HtmlTextMeasurer& measurer_;
  const bool waitForImages_;
  int elementCount_ = 0;
  int deepestNesting_ = 0;
  BrowserElementList elements_;
  CBrowserImageCache images_;
  CStringRowArray links_;
  std::int32_t backgroundColour_ = -1;
  int backgroundImage_ = -1;
  std::int32_t hoveredLink_ = -1;
  bool loading_ = false;
};

}  // namespace preview
