#pragma once
// Turns a page into the renderer's element list: the pre-pass, then the recursive tag
// parser. Nesting is capped: past kMaxHtmlNesting a construct's tag is passed over and
// its content reads on at the same level, so a hostile page cannot exhaust the stack.

#include <optional>
#include <string>
#include <string_view>

#include "BrowserElement.h"
#include "CMiniBrowserCallbacks.h"
#include "CStringRowArray.h"
#include "HtmlUrl.h"

namespace preview {

constexpr int kMaxHtmlNesting = 64;
// Font sizes from attributes and headings stay within this many pixels.
constexpr int kMaxHtmlFontHeight = 500;

struct HtmlPageSettings {
  std::u16string face = u"Times New Roman";
  int fontHeight = 15;
  HtmlColour textColour = 0;
  std::u16string baseUrl;  // the page's own address; also tells a ".txt" page
  PageOrigin origin = PageOrigin::RecoveredFile;
};

struct ParsedHtmlPage {
  BrowserElementList elements;
  CStringRowArray links;  // row 0: every link target in order of first appearance
  std::optional<std::u16string> title;
  HtmlColour backgroundColour = 0xFFFFFF;
  int backgroundImage = -1;
  int elementCount = 0;    // elements made
  int deepestNesting = 0;  // deepest recursion of the parser
};

// With a host, the parse reports its progress and form fields get the host's controls;
// without one, forms are ignored and their fields painted by the renderer.
ParsedHtmlPage ParseHtmlPage(std::u16string_view page, const HtmlPageSettings& settings,
                             HtmlTextMeasurer& measurer, HtmlImageRegistry& images,
                             CMiniBrowserCallbacks* host = nullptr);

}  // namespace preview
