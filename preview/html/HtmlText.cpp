#include "HtmlText.h"

namespace preview {

bool HtmlStartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (HtmlAsciiLower(text[i]) != HtmlAsciiLower(prefix[i])) return false;
  return true;
}

bool HtmlEqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && HtmlStartsWithIgnoringCase(a, b);
}

}  // namespace preview
