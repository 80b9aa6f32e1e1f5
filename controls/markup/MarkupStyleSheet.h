// The style sheet: lower-cased selectors ("body", "a:hover", ".class") mapped to
// their declaration text, read from a small CSS-like language.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace markup {

class MarkupStyleSheet {
 public:
  MarkupStyleSheet() { SetDefault(); }

  // Replaces the whole sheet; rules that do not parse are skipped.
  void Set(std::u16string_view text);
  void SetDefault();
  void AddRule(std::u16string_view selector, std::u16string_view declarations);
  const std::u16string* FindRule(std::u16string_view selector) const;
  const std::u16string& Text() const { return text_; }

  static std::u16string DefaultText();

 private:
  std::map<std::u16string, std::u16string> rules_;
  std::u16string text_;
};

}  // namespace markup
