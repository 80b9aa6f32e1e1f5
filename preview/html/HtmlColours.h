#pragma once
// Colours of HTML attributes: the 140 standard colour names, or "#RRGGBB".

#include <cstdint>
#include <string_view>

namespace preview {

// A colour in the COLORREF layout 0x00BBGGRR, so the window layer passes it to GDI as is.
using HtmlColour = std::uint32_t;

constexpr HtmlColour HtmlRgb(unsigned red, unsigned green, unsigned blue) {
  return static_cast<HtmlColour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// A standard colour name (any case), or six hexadecimal digits after an optional "#".
// Only the characters of `text` are read. A pair that is missing or starts with no
// hexadecimal digit counts as 0; a pair with one leading digit counts that digit.
HtmlColour LookupHtmlColour(std::u16string_view text);

}  // namespace preview
