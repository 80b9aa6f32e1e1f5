#pragma once
// The first pass over a page: scripts, comments, style sheets and every tag the
// renderer does not know are dropped, the title and the body's background are taken
// out, and white space outside preformatted text is folded to single spaces.

#include <optional>
#include <string>
#include <string_view>

#include "HtmlColours.h"

namespace preview {

struct PreparedHtmlPage {
  std::u16string text;                        // what the parser reads
  std::optional<std::u16string> title;        // trimmed, entities decoded
  std::optional<HtmlColour> backgroundColour;  // the body's "bgcolor"
  std::u16string backgroundUrl;               // the body's "background", resolved; "" for none
};

// True when the page's address names a plain-text file (extension "txt", any case):
// it is then shown preformatted in a fixed-pitch face.
bool IsPlainTextPage(std::u16string_view baseUrl);

PreparedHtmlPage PrepareHtmlPage(std::u16string_view page, std::u16string_view baseUrl);

}  // namespace preview
