#include "MarkupStyleSheet.h"

#include "MarkupScan.h"

namespace markup {

void MarkupStyleSheet::Set(std::u16string_view text) {
  rules_.clear();
  text_ = std::u16string(text);
  size_t pos = 0;
  while (SkipToWordChar(text, pos)) {
    size_t selectorStart = pos;
    FindAnyOf(text, pos, u" {");
    std::u16string_view selector = text.substr(selectorStart, pos - selectorStart);
    size_t open = text.find(u'{', pos);
    if (open == std::u16string_view::npos) break;
    size_t close = text.find(u'}', open + 1);
    if (close == std::u16string_view::npos) break;
    if (!selector.empty()) AddRule(selector, text.substr(open + 1, close - open - 1));
    pos = close + 1;
  }
}

void MarkupStyleSheet::SetDefault() { Set(DefaultText()); }

void MarkupStyleSheet::AddRule(std::u16string_view selector, std::u16string_view declarations) {
  rules_[ToLower(selector)] = std::u16string(declarations);
}

const std::u16string* MarkupStyleSheet::FindRule(std::u16string_view selector) const {
  auto found = rules_.find(ToLower(selector));
  return found == rules_.end() ? nullptr : &found->second;
}

std::u16string MarkupStyleSheet::DefaultText() {
  static constexpr std::pair<const char16_t*, const char16_t*> kRules[] = {
      {u"body", u"font-size: 10pt; color:black; font-family:Verdana"},
      {u"p", u"font-size: 10pt; color:black; font-family:Verdana; font-weight:bold"},
      {u"h1", u"font-size: 14pt; color:black; font-family:Verdana; font-weight:bold"},
      {u"h2", u"font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold"},
      {u"h3", u"font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold"},
      {u"h4", u"font-size: 10pt; color:black; font-family:Verdana; font-weight:bold"},
      {u"h5", u"font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold"},
      {u"h6", u"font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal"},
      {u"pre", u"font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb"},
      {u"code", u"color:#990000; font-family:Arial"},
      {u"a:link", u"text-decoration:none; color:blue"},
      {u"a:hover", u"text-decoration:underline; color:blue"},
      {u"sub", u"font-size:65%; vertical-align:bottom"},
      {u"sup", u"font-size:65%; vertical-align:top"},
      {u"big", u"font-size:125%"},
      {u"small", u"font-size:75%"},
      {u".cpp-comment", u"color:green; font-style:italic"},
  };
  std::u16string text;
  for (const auto& [selector, declarations] : kRules) {
    text += selector;
    text += u" {";
    text += declarations;
    text += u"}\r\n";
  }
  return text;
}

}  // namespace markup
