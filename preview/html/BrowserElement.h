#pragma once
// The renderer's document model: a flat list of layout elements (text runs, images,
// breaks and boxes; a box holds its own list), and the makers that are the only way
// to build one. Text is measured once, when its run is made, through a measuring
// interface, so the parser and layout run natively with a fake measurer.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "HtmlColours.h"

namespace preview {

enum BrowserElementKind : std::int32_t { kElementUnset = -1, kElementText, kElementImage, kElementBreak, kElementBox };

// Frame lines a box or framed run paints; on a plain text run 8 alone is underline and
// 16 alone strike-through.
enum BrowserEdges : std::int32_t { kEdgeLeft = 1, kEdgeTop = 2, kEdgeRight = 4, kEdgeBottom = 8, kEdgeMiddle = 16, kEdgeFrame = 15 };

// Edge colours that are not colours: a three-dimensional frame.
constexpr std::int32_t kEdgeSunken = -1;
constexpr std::int32_t kEdgeRaised = -2;
constexpr std::int32_t kNoColour = -1;

enum BrowserAlignment : std::int32_t { kAlignLeft, kAlignRight, kAlignCentre, kAlignJustify };

// Longest face name kept, as the font APIs take it.
constexpr std::size_t kMaxFaceLength = 99;

struct BrowserElement;
using BrowserElementList = std::vector<std::unique_ptr<BrowserElement>>;

struct BrowserElement {
  std::int32_t kind = kElementUnset;
  std::int32_t width = 0, height = 0;
  std::int32_t x = 0, y = 0;
  std::int32_t edges = 0;
  std::int32_t edgeWidth = 0;
  std::int32_t edgeColour = 0;
  std::u16string face;
  std::int32_t fontHeight = 0;
  std::int32_t bold = 0, italic = 0;
  HtmlColour textColour = 0;
  std::int32_t backgroundColour = kNoColour;
  std::int32_t alignment = kAlignLeft;
  std::int32_t verticalAlignment = 0;  // cells: 0 top, 1 bottom, 2 middle
  std::u16string text;
  std::int32_t image = -1;
  std::int32_t backgroundImage = -1;
  std::int32_t row = 0, column = 0;
  std::int32_t columnSpan = 0, rowSpan = 0;
  std::int32_t cellWidth = 0;
  std::int32_t tableWidth = 0;  // pixels when positive, percent when negative
  std::int32_t border = 0;
  std::int32_t cellHeight = 0, tableHeight = 0;
  std::int32_t padding = 0, spacing = 0;
  std::int32_t link = -1;
  // Layout's cached measures; -1 until measured.
  std::int32_t minimumWidth = -1, contentMinimumWidth = -1, preferredWidth = -1, measuredForWidth = -1;
  std::int32_t selected = 0;
  std::int32_t preformatted = 0;
  std::intptr_t control = -1;
  std::int32_t floatSide = 0;  // boxes: -1 none, 0 left, 1 right
  std::int32_t clear = 0;      // breaks: 1 clears floats
  // Images: the size the page asked for (0: none); layout completes it from the image.
  std::int32_t requestedWidth = 0, requestedHeight = 0;
  BrowserElementList children;
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

// Measures text as a font of that face, pixel height and style would draw it.
class HtmlTextMeasurer {
 public:
  virtual ~HtmlTextMeasurer() = default;
  virtual TextExtent MeasureText(std::u16string_view face, int height, bool bold, bool italic,
                                 std::u16string_view text) = 0;
  // The width of a vertical scroll bar, which a drop-down list reserves for its button.
  virtual int ScrollBarWidth() { return 16; }
};

// The image store as the parser sees it: one index per (address, background-only).
// `mayFetch` false means the address must never be loaded (a remote resource of a
// recovered page); the store then keeps it as a missing image.
class HtmlImageRegistry {
 public:
  virtual ~HtmlImageRegistry() = default;
  virtual int FindOrAddImage(std::u16string_view url, bool backgroundOnly, bool mayFetch) = 0;
};

struct TextRunStyle {
  std::int32_t edges = 0, edgeWidth = 0, edgeColour = 0;
  std::u16string_view face;
  int fontHeight = 0;
  bool bold = false, italic = false;
  HtmlColour textColour = 0;
  std::int32_t backgroundColour = kNoColour;
  std::int32_t alignment = kAlignLeft, verticalAlignment = 0;
  std::int32_t link = -1;
  bool preformatted = false;
};

// A text run: entities decoded, the face cut at its first comma, the text measured.
std::unique_ptr<BrowserElement> MakeTextElement(std::u16string_view text, const TextRunStyle& style,
                                                HtmlTextMeasurer& measurer);
std::unique_ptr<BrowserElement> MakeImageElement(int imageIndex, std::int32_t alignment, std::int32_t link,
                                                 bool preformatted, std::int32_t border);
std::unique_ptr<BrowserElement> MakeBreakElement(std::int32_t height, std::int32_t width, std::int32_t alignment,
                                                 bool clear);

struct BoxSettings {
  std::int32_t row = 0, column = 0, cellWidth = 0;
  std::int32_t alignment = kAlignLeft, verticalAlignment = 0;
  std::int32_t backgroundColour = kNoColour;
  std::int32_t border = 0, columnSpan = 1, rowSpan = 1, padding = 0, spacing = 0;
  std::int32_t tableWidth = 0, backgroundImage = -1, cellHeight = 0, tableHeight = 0;
  std::int32_t edgeColour = 0, floatSide = -1;
};

// A box; spans are clamped to 1..1000, and a border frames it and adds 1 to the padding.
std::unique_ptr<BrowserElement> MakeBoxElement(const BoxSettings& settings);

}  // namespace preview
