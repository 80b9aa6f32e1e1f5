#include "HtmlAttributes.h"

#include <climits>

#include "HtmlText.h"

namespace preview {

void ParseHtmlAttributes(std::u16string_view tagText, CStringRowArray& out) {
  std::u16string_view text = tagText.substr(0, tagText.find(u'>'));
  std::size_t pos = 0;
  while (pos < text.size() && !IsHtmlSpace(text[pos])) ++pos;  // the tag's own name

  while (true) {
    while (pos < text.size() && IsHtmlSpace(text[pos])) ++pos;
    if (pos >= text.size()) return;
    const std::size_t nameStart = pos;
    while (pos < text.size() && text[pos] != u'=' && !IsHtmlSpace(text[pos])) ++pos;
    if (pos == nameStart) {  // a stray "=": it names nothing
      ++pos;
      continue;
    }
    const int row = out.AddRow() - 1;
    out.AppendToRow(row, text.data() + nameStart, static_cast<int>(pos - nameStart));
    // Pages write "border = 0" too: spaces may stand before the "=".
    std::size_t afterName = pos;
    while (afterName < text.size() && IsHtmlSpace(text[afterName])) ++afterName;
    if (afterName >= text.size() || text[afterName] != u'=') continue;
    pos = afterName;

    ++pos;
    while (pos < text.size() && IsHtmlSpace(text[pos])) ++pos;
    std::size_t valueStart = pos;
    std::size_t valueEnd;
    if (pos < text.size() && (text[pos] == u'"' || text[pos] == u'\'')) {
      const char16_t quote = text[pos];
      valueStart = pos + 1;
      valueEnd = text.find(quote, valueStart);
      if (valueEnd == std::u16string_view::npos) valueEnd = text.size();
      pos = valueEnd < text.size() ? valueEnd + 1 : valueEnd;
    } else {
      while (pos < text.size() && !IsHtmlSpace(text[pos])) ++pos;
      valueEnd = pos;
    }
    out.AppendToRow(row, text.data() + valueStart, static_cast<int>(valueEnd - valueStart));
  }
}

const char16_t* FindHtmlAttribute(const CStringRowArray& attributes, std::u16string_view name) {
  for (int row = 0; row < attributes.GetCount(); ++row) {
    int length = 0;
    const char16_t* rowName = attributes.GetRow(row).Get(0, &length);
    if (HtmlEqualsIgnoringCase(std::u16string_view(rowName, static_cast<std::size_t>(length)), name))
      return attributes.GetRow(row).Get(1);
  }
  return nullptr;
}

int ReadHtmlInteger(std::u16string_view value) {
  std::size_t pos = 0;
  while (pos < value.size() && IsHtmlSpace(value[pos])) ++pos;
  bool negative = false;
  if (pos < value.size() && (value[pos] == u'+' || value[pos] == u'-')) negative = value[pos++] == u'-';
  long long number = 0;
  for (; pos < value.size() && value[pos] >= u'0' && value[pos] <= u'9'; ++pos) {
    number = number * 10 + (value[pos] - u'0');
    if (number > static_cast<long long>(INT_MAX) + 1) number = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) number = -number;
  if (number > INT_MAX) number = INT_MAX;
  return static_cast<int>(number);
}

}  // namespace preview
