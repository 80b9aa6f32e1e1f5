#include "CBrowserDocument.h"

#include <algorithm>
#include <climits>

#include "HtmlParser.h"

namespace preview {

namespace {

bool Contains(const BrowserElement& e, int x, int y) {
  return x >= e.x && y >= e.y && static_cast<long long>(x) < static_cast<long long>(e.x) + e.width &&
         static_cast<long long>(y) < static_cast<long long>(e.y) + e.height;
}

HtmlRect RectOf(const BrowserElement& e) { return {e.x, e.y, e.x + e.width, e.y + e.height}; }

}  // namespace

CBrowserDocument::CBrowserDocument(CMiniBrowserCallbacks* callbacks, HtmlTextMeasurer& measurer,
                                   HtmlImageDecoder& decoder, bool waitForImages)
    : callbacks_(callbacks), measurer_(measurer), waitForImages_(waitForImages), images_(callbacks, decoder) {
  links_.AddRow();
}

CBrowserDocument::~CBrowserDocument() {
  images_.Stop();
  elements_.clear();
}

void CBrowserDocument::Load(std::u16string_view page, std::u16string_view face, int fontHeight,
                            HtmlColour textColour, std::u16string_view baseUrl, PageOrigin origin) {
  loading_ = true;
  elements_.clear();
  images_.ReleaseBitmaps();
  hoveredLink_ = -1;

  HtmlPageSettings settings;
  settings.face = face;
  settings.fontHeight = fontHeight;
  settings.textColour = textColour;
  settings.baseUrl = baseUrl;
  settings.origin = origin;
  ParsedHtmlPage parsed = ParseHtmlPage(page, settings, measurer_, images_, callbacks_);
  elements_ = std::move(parsed.elements);
  links_ = std::move(parsed.links);
  backgroundColour_ = static_cast<std::int32_t>(parsed.backgroundColour);
  backgroundImage_ = parsed.backgroundImage;
  elementCount_ = parsed.elementCount;
  deepestNesting_ = parsed.deepestNesting;
  if (callbacks_ != nullptr) {
    if (parsed.title) callbacks_->SetPageTitle(*parsed.title);
    const int length = static_cast<int>(std::min<std::size_t>(page.size(), INT_MAX));
    callbacks_->OnParseProgress(0, length, length);
  }
  loading_ = false;
}

void CBrowserDocument::SizeImage(BrowserElement& image) {
  if (callbacks_ != nullptr) callbacks_->OnParseProgress(1, image.image, images_.GetCount());
  int width = image.requestedWidth, height = image.requestedHeight;
  if (CBrowserImage* picture = images_.GetImage(image.image)) {
    picture->Decode(waitForImages_ ? 1 : 0, images_);
    picture->FitSize(width, height);
  }
  image.width = std::clamp(width, 0, kMaxLayoutPixels);
  image.height = std::clamp(height, 0, kMaxLayoutPixels);
}

void CBrowserDocument::Layout(LayoutArea& area) {
  LayoutDocument(elements_, area, *this);
  if (callbacks_ == nullptr) return;
  ForEach(elements_, [this](BrowserElement& e, const BrowserElement*) {
    if (e.control != kNoControl) callbacks_->MoveControl(e.control, e.x, e.y);
  });
}

void CBrowserDocument::Paint(HtmlCanvas& canvas, const HtmlRect& clip, int scrollX, int scrollY) {
  PaintRequest request;
  request.clip = clip;
  request.scrollX = scrollX;
  request.scrollY = scrollY;
  request.hoveredLink = hoveredLink_;
  request.pageColour = backgroundColour_;
  request.pageImage = backgroundImage_;
  PaintElements(elements_, canvas, images_, request);
}

const BrowserElement* CBrowserDocument::HitTest(const BrowserElementList& elements, int x, int y, int depth) const {
  if (depth > kMaxLayoutNesting) return nullptr;
  for (const auto& e : elements) {
    if (const BrowserElement* inner = HitTest(e->children, x, y, depth + 1)) return inner;
    if (e->link >= 0 && Contains(*e, x, y)) return e.get();
  }
  return nullptr;
}

void CBrowserDocument::OnMouseMove(int x, int y) {
  if (callbacks_ == nullptr) return;
  const BrowserElement* hit = HitTest(elements_, x, y, 0);
  hoveredLink_ = hit != nullptr ? hit->link : -1;
  if (hit != nullptr) callbacks_->OnLinkHover(true, links_.GetRow(0).Get(hit->link));
  else callbacks_->OnLinkHover(false, u"");
}

void CBrowserDocument::OnClick(int x, int y) {
  if (callbacks_ == nullptr) return;
  const BrowserElement* hit = HitTest(elements_, x, y, 0);
  hoveredLink_ = hit != nullptr ? hit->link : -1;
  // The target is copied: following it loads a new page and frees this one's links.
  if (hit != nullptr) callbacks_->OnLinkClicked(std::u16string(links_.GetRow(0).Get(hit->link)));
}

void CBrowserDocument::SelectRect(const HtmlRect& r) {
  const bool empty = r.left == r.right && r.top == r.bottom;
  ForEach(elements_, [&](BrowserElement& e, const BrowserElement* next) {
    const bool startsTable = e.kind == kElementBreak && next != nullptr && next->kind == kElementBox;
    if (!(e.kind == kElementText || (e.kind == kElementBreak && !startsTable))) return;
    const int left = e.x, top = e.y, right = e.x + e.width, bottom = e.y + e.height;
    // Lines between the first and the last are taken whole, as text selection does.
    const bool firstLine = top > r.top && top <= r.bottom && left < r.right;
    const bool lastLine = bottom > r.top && bottom <= r.bottom && left > r.left;
    const bool overlaps = left <= r.right && right >= r.left && top <= r.bottom && bottom >= r.top;
    e.selected = !empty && (firstLine || lastLine || overlaps) ? 1 : 0;
  });
}

void CBrowserDocument::InvalidateImage(int image) {
  if (callbacks_ == nullptr) return;
  ForEach(elements_, [&](BrowserElement& e, const BrowserElement*) {
    if (e.kind == kElementImage && e.image == image) callbacks_->Redraw(RectOf(e));
  });
}

void CBrowserDocument::InvalidateLink(std::u16string_view target) {
  if (callbacks_ == nullptr) return;
  const CStringRow& targets = links_.GetRow(0);
  int link = -1;
  for (int i = 0; i < targets.GetCount() && link < 0; ++i)
    if (target == targets.Get(i)) link = i;
  if (link < 0) return;
  ForEach(elements_, [&](BrowserElement& e, const BrowserElement*) {
    if (e.link == link) callbacks_->Redraw(RectOf(e));
  });
}

void CBrowserDocument::GetStats(int& items, int& images, int& links, int& level) const {
  items = elementCount_;
  images = images_.GetCount();
  links = links_.GetRow(0).GetCount();
  level = deepestNesting_;
}

template <typename Visit>
void CBrowserDocument::ForEach(BrowserElementList& elements, Visit visit, int depth) {
  if (depth > kMaxLayoutNesting) return;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    visit(*elements[i], i + 1 < elements.size() ? elements[i + 1].get() : nullptr);
    ForEach(elements[i]->children, visit, depth + 1);
  }
}

}  // namespace preview
