#pragma once
// Small text helpers the renderer shares: tag and attribute names, keyword values and
// URL schemes are compared ignoring the case of ASCII letters only.

#include <string_view>

namespace preview {

inline char16_t HtmlAsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

// Tags in pages are broken over lines, so line ends and tabs separate words too.
inline bool IsHtmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool HtmlEqualsIgnoringCase(std::u16string_view a, std::u16string_view b);
bool HtmlStartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

}  // namespace preview
