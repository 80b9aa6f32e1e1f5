#include "MarkupStyle.h"

#include <array>
#include <utility>

#include "MarkupCanvas.h"

namespace markup {
namespace {

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

// strtol-like leading integer; digits after a point are ignored.
long long LeadingInteger(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - u'0'), 1LL << 40);
  }
  return negative ? -value : value;
}

template <size_t N>
std::optional<int> Keyword(std::u16string_view text, const std::array<std::pair<std::u16string_view, int>, N>& words) {
  if (text.empty()) return words[0].second;
  for (const auto& [word, value] : words) {
    if (text == word) return value;
  }
  return std::nullopt;
}

int BoxSize(long long value) { return Clamp(value, -limits::kMaxBoxSize, limits::kMaxBoxSize); }

}  // namespace

void ResetStyle(MarkupStyle& style) {
  MarkupStyle defaults;
  defaults.width = style.width;
  defaults.height = style.height;
  style = std::move(defaults);
}

unsigned long long ParseCNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  int base = 10;
  if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
      i + 2 < text.size() && DigitValue(text[i + 2]) < 16) {
    base = 16;
    i += 2;
  } else if (i < text.size() && text[i] == u'0') {
    base = 8;
  }
  unsigned long long value = 0;
  for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
    value = std::min<unsigned long long>(value * base + DigitValue(text[i]), 1ULL << 62);
  }
  return value;
}

int ParseSize(std::u16string_view text, int current, bool fontSize, MarkupCanvas* canvas) {
  if (text.empty()) return current;
  if (text.back() == u'%') return BoxSize(MulDiv(current, static_cast<int>(BoxSize(LeadingInteger(text.substr(0, text.size() - 1)))), 100));
  if (text.front() == u'+' || text.front() == u'-') text.remove_prefix(1);
  long long number = LeadingInteger(text);
  std::u16string_view unit = text.size() >= 2 ? text.substr(text.size() - 2) : std::u16string_view();
  int dpi = canvas ? canvas->LogPixelsY() : 96;
  if (unit == u"px") return BoxSize(number);
  if (unit == u"ex") return BoxSize(number * (canvas ? canvas->TextExtent(u"x").cy : 0));
  if (unit == u"em") return BoxSize(number * (canvas ? canvas->Metrics().height : 0));
  if (unit == u"in") return BoxSize(number * dpi);
  if (unit == u"cm") return BoxSize(static_cast<long long>(number * dpi * 0.39370078740157477));
  if (unit == u"mm") return BoxSize(static_cast<long long>(number * dpi * 0.03937007874015748));
  if (unit == u"pt") return BoxSize(number * dpi / 72);
  if (unit == u"pc") return BoxSize(number * dpi / 6);
  unsigned long long plain = ParseCNumber(text);
  static constexpr int kHtmlFontSizes[] = {8, 10, 12, 14, 18, 24, 36};
  if (fontSize && plain >= 1 && plain <= 7) return kHtmlFontSizes[plain - 1];
  return BoxSize(static_cast<long long>(plain));
}

Color ParseColor(std::u16string_view text, Color current,
                 const std::function<std::optional<Color>(std::u16string_view)>& lookup) {
  if (text.empty()) return current;
  if (text.front() == u'#') {
    if (text.size() != 7) return current;
    int channels[3];
    for (int i = 0; i < 3; ++i) {
      int high = DigitValue(text[1 + 2 * i]), low = DigitValue(text[2 + 2 * i]);
      if (high > 15 || low > 15) return current;
      channels[i] = high * 16 + low;
    }
    return Rgb(channels[0], channels[1], channels[2]);
  }
  if (text.front() >= u'0' && text.front() <= u'9') return static_cast<Color>(ParseCNumber(text));
  std::optional<Color> named = lookup ? lookup(text) : std::nullopt;
  return named ? *named : current;
}

int ParseFontStyle(std::u16string_view text, int current) {
  static constexpr std::array<std::pair<std::u16string_view, int>, 3> kWords{{{u"normal", 0}, {u"italic", 1}, {u"oblique", 1}}};
  return Keyword(text, kWords).value_or(current);
}

int ParseFontWeight(std::u16string_view text) {
  static constexpr std::array<std::pair<std::u16string_view, int>, 4> kWords{
      {{u"normal", 400}, {u"bold", 700}, {u"bolder", 900}, {u"lighter", 100}}};
  if (auto keyword = Keyword(text, kWords)) return *keyword;
  return Clamp(LeadingInteger(text), 0, 1000);
}

int ParseHAlign(std::u16string_view text, int current) {
  static constexpr std::array<std::pair<std::u16string_view, int>, 3> kWords{{{u"left", 0}, {u"center", 1}, {u"right", 2}}};
  return Keyword(text, kWords).value_or(current);
}

int ParseVAlign(std::u16string_view text, int current) {
  static constexpr std::array<std::pair<std::u16string_view, int>, 5> kWords{
      {{u"baseline", 3}, {u"middle", 1}, {u"vcenter", 1}, {u"top", 0}, {u"bottom", 2}}};
  return Keyword(text, kWords).value_or(current);
}

int ParseTextTransform(std::u16string_view text, int current) {
  static constexpr std::array<std::pair<std::u16string_view, int>, 4> kWords{
      {{u"none", 0}, {u"uppercase", 1}, {u"lowercase", 2}, {u"capitalize", 3}}};
  return Keyword(text, kWords).value_or(current);
}

int ParseBorderStyle(std::u16string_view text, int current) {
  static constexpr std::array<std::pair<std::u16string_view, int>, 5> kWords{
      {{u"none", 0}, {u"solid", 1}, {u"dotted", 3}, {u"dashed", 2}, {u"double", 6}}};
  return Keyword(text, kWords).value_or(current);
}

int ParseBorderWidth(std::u16string_view text, int current, MarkupCanvas* canvas) {
  int width;
  if (text == u"thin") {
    width = MulDiv(75, current, 100);
  } else if (text == u"thick") {
    width = MulDiv(125, current, 100);
  } else if (text == u"medium") {
    width = current;
  } else {
    width = ParseSize(text, current, false, canvas);
  }
  return Clamp(width, 0, limits::kMaxBorderWidth);
}

int ParseEffect(std::u16string_view text, int current, MarkupCanvas* canvas) {
  if (text.empty()) return current;
  static constexpr std::array<std::pair<std::u16string_view, int>, 17> kNames{{
      {u"transparent", -1}, {u"solid", 0}, {u"hgradient", 1}, {u"vgradient", 2}, {u"hcgradient", 3},
      {u"vcgradient", 4}, {u"3hgradient", 5}, {u"3vgradient", 6}, {u"noise", 7}, {u"diagshade", 8},
      {u"hshade", 9}, {u"vshade", 10}, {u"hbump", 11}, {u"vbump", 12}, {u"softbump", 13},
      {u"hardbump", 14}, {u"metal", 15},
  }};
  for (const auto& [name, number] : kNames) {
    if (text == name) return number;
  }
  return ParseSize(text, current, false, canvas);
}

void ParseTextDecoration(std::u16string_view text, MarkupStyle& style) {
  if (text.empty()) text = u"none";
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(u" ,", pos);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view word = text.substr(pos, end - pos);
    if (word == u"none") {
      style.underline = style.strikeOut = style.overline = 0;
    } else if (word == u"underline") {
      style.underline = 1;
    } else if (word == u"line-through") {
      style.strikeOut = 1;
    } else if (word == u"overline") {
      style.overline = 1;
    }
    pos = end + 1;
  }
}

void ParseFontLetters(std::u16string_view text, MarkupStyle& style) {
  bool on = true;
  for (char16_t c : text) {
    switch (c) {
      case u'-': on = false; continue;
      case u'+': on = true; continue;
      case u'b': style.weight = on ? 700 : 400; break;
      case u'i': style.italic = on; break;
      case u'o': style.overline = on; break;
      case u's': style.strikeOut = on; break;
      case u'u': style.underline = on; break;
      default: continue;
    }
    on = true;
  }
}

bool IsPercent(std::u16string_view text) { return !text.empty() && text.back() == u'%'; }

}  // namespace markup
