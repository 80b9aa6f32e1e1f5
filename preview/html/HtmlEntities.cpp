#include "HtmlEntities.h"

#include <cstddef>
#include <string_view>

namespace preview {

namespace {

struct Entity {
  std::u16string_view spelling;
  std::u16string_view replacement;
};

// Tried in this order at every position. The Latin-1 block is U+00A0..U+00FF in
// code order; the last group maps characters a single-byte display lacks to the
// nearest plain one.
constexpr Entity kEntities[] = {
    {u"&quot;", u"\""}, {u"&amp;", u"&"}, {u"&lt;", u"<"}, {u"&gt;", u">"},
    {u"&nbsp;", u"\u00A0"}, {u"&iexcl;", u"\u00A1"}, {u"&cent;", u"\u00A2"}, {u"&pound;", u"\u00A3"},
    {u"&curren;", u"\u00A4"}, {u"&yen;", u"\u00A5"}, {u"&brvbar;", u"\u00A6"}, {u"&sect;", u"\u00A7"},
    {u"&uml;", u"\u00A8"}, {u"&copy;", u"\u00A9"}, {u"&ordf;", u"\u00AA"}, {u"&laquo;", u"\u00AB"},
    {u"&not;", u"\u00AC"}, {u"&shy;", u"\u00AD"}, {u"&reg;", u"\u00AE"}, {u"&macr;", u"\u00AF"},
    {u"&deg;", u"\u00B0"}, {u"&plusmn;", u"\u00B1"}, {u"&sup2;", u"\u00B2"}, {u"&sup3;", u"\u00B3"},
    {u"&acute;", u"\u00B4"}, {u"&micro;", u"\u00B5"}, {u"&para;", u"\u00B6"}, {u"&middot;", u"\u00B7"},
    {u"&cedil;", u"\u00B8"}, {u"&sup1;", u"\u00B9"}, {u"&ordm;", u"\u00BA"}, {u"&raquo;", u"\u00BB"},
    {u"&frac14;", u"\u00BC"}, {u"&frac12;", u"\u00BD"}, {u"&frac34;", u"\u00BE"}, {u"&iquest;", u"\u00BF"},
    {u"&Agrave;", u"\u00C0"}, {u"&Aacute;", u"\u00C1"}, {u"&Acirc;", u"\u00C2"}, {u"&Atilde;", u"\u00C3"},
    {u"&Auml;", u"\u00C4"}, {u"&Aring;", u"\u00C5"}, {u"&AElig;", u"\u00C6"}, {u"&Ccedil;", u"\u00C7"},
    {u"&Egrave;", u"\u00C8"}, {u"&Eacute;", u"\u00C9"}, {u"&Ecirc;", u"\u00CA"}, {u"&Euml;", u"\u00CB"},
    {u"&Igrave;", u"\u00CC"}, {u"&Iacute;", u"\u00CD"}, {u"&Icirc;", u"\u00CE"}, {u"&Iuml;", u"\u00CF"},
    {u"&ETH;", u"\u00D0"}, {u"&Ntilde;", u"\u00D1"}, {u"&Ograve;", u"\u00D2"}, {u"&Oacute;", u"\u00D3"},
    {u"&Ocirc;", u"\u00D4"}, {u"&Otilde;", u"\u00D5"}, {u"&Ouml;", u"\u00D6"}, {u"&times;", u"\u00D7"},
    {u"&Oslash;", u"\u00D8"}, {u"&Ugrave;", u"\u00D9"}, {u"&Uacute;", u"\u00DA"}, {u"&Ucirc;", u"\u00DB"},
    {u"&Uuml;", u"\u00DC"}, {u"&Yacute;", u"\u00DD"}, {u"&THORN;", u"\u00DE"}, {u"&szlig;", u"\u00DF"},
    {u"&agrave;", u"\u00E0"}, {u"&aacute;", u"\u00E1"}, {u"&acirc;", u"\u00E2"}, {u"&atilde;", u"\u00E3"},
    {u"&auml;", u"\u00E4"}, {u"&aring;", u"\u00E5"}, {u"&aelig;", u"\u00E6"}, {u"&ccedil;", u"\u00E7"},
    {u"&egrave;", u"\u00E8"}, {u"&eacute;", u"\u00E9"}, {u"&ecirc;", u"\u00EA"}, {u"&euml;", u"\u00EB"},
    {u"&igrave;", u"\u00EC"}, {u"&iacute;", u"\u00ED"}, {u"&icirc;", u"\u00EE"}, {u"&iuml;", u"\u00EF"},
    {u"&eth;", u"\u00F0"}, {u"&ntilde;", u"\u00F1"}, {u"&ograve;", u"\u00F2"}, {u"&oacute;", u"\u00F3"},
    {u"&ocirc;", u"\u00F4"}, {u"&otilde;", u"\u00F5"}, {u"&ouml;", u"\u00F6"}, {u"&divide;", u"\u00F7"},
    {u"&oslash;", u"\u00F8"}, {u"&ugrave;", u"\u00F9"}, {u"&uacute;", u"\u00FA"}, {u"&ucirc;", u"\u00FB"},
    {u"&uuml;", u"\u00FC"}, {u"&yacute;", u"\u00FD"}, {u"&thorn;", u"\u00FE"}, {u"&yuml;", u"\u00FF"},
    {u"&OElig;", u"E"}, {u"&oelig;", u"e"}, {u"&Scaron;", u"S"}, {u"&scaron;", u"s"},
    {u"&Yuml;", u"\u00FF"}, {u"&fnof;", u"f"}, {u"&circ;", u"^"}, {u"&tilde;", u"~"},
    {u"&ndash;", u"-"}, {u"&mdash;", u"-"}, {u"&lsquo;", u"\u2018"}, {u"&rsquo;", u"\u2019"},
    {u"&sbquo;", u","}, {u"&ldquo;", u"\""}, {u"&rdquo;", u"\""}, {u"&bdquo;", u"\u201E"},
    {u"&dagger;", u"\u2020"}, {u"&Dagger;", u"\u2021"}, {u"&bull;", u"\u2022"}, {u"&hellip;", u"\u2026"},
    {u"&permil;", u"\u2030"}, {u"&lsaquo;", u"\u2039"}, {u"&rsaquo;", u"\u203A"}, {u"&euro;", u"\u20AC"},
    {u"&trade;", u"\u2122"},
    {u"\u0097", u"-"}, {u"\u00A0", u" "},
};
static_assert(std::size(kEntities) == 127);

// Digits beyond this many cannot name a character; reading stops there so the
// value never overflows.
constexpr int kMaxReferenceDigits = 7;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Writes code point `value` at `out` as one UTF-16 character (two for values above
// U+FFFF); values that are no character become U+FFFD. Returns the characters written.
std::size_t WriteCodePoint(std::u16string& text, std::size_t out, unsigned long value) {
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) value = 0xFFFD;
  if (value <= 0xFFFF) {
    text[out] = static_cast<char16_t>(value);
    return 1;
  }
  value -= 0x10000;
  text[out] = static_cast<char16_t>(0xD800 + (value >> 10));
  text[out + 1] = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
  return 2;
}

}  // namespace

std::u16string& DecodeHtmlEntities(std::u16string& text) {
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < text.size()) {
    const std::u16string_view rest = std::u16string_view(text).substr(in);
    const Entity* match = nullptr;
    for (const Entity& entity : kEntities) {
      if (rest.starts_with(entity.spelling)) {
        match = &entity;
        break;
      }
    }
    if (match != nullptr) {
      // Every replacement is shorter than its spelling, so `out` stays behind `in`.
      text.replace(out, match->replacement.size(), match->replacement);
      out += match->replacement.size();
      in += match->spelling.size();
      continue;
    }
    if (rest.starts_with(u"&#") && rest.size() > 2 && IsDigit(rest[2])) {
      std::size_t pos = 2;
      unsigned long value = 0;
      int digits = 0;
      for (; pos < rest.size() && IsDigit(rest[pos]); ++pos) {
        if (digits++ < kMaxReferenceDigits) value = value * 10 + static_cast<unsigned long>(rest[pos] - u'0');
        else value = 0x110000;  // too long to be a character
      }
      if (pos < rest.size() && (rest[pos] == u';' || rest[pos] == u' ')) ++pos;
      // A surrogate pair needs five digits, so the output never overtakes the input.
      out += WriteCodePoint(text, out, value);
      in += pos;
      continue;
    }
    text[out++] = text[in++];
  }
  text.resize(out);
  return text;
}

std::u16string& DecodeUtf8Latin1(std::u16string& text) {
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < text.size()) {
    const char16_t lead = text[in];
    const char16_t lowest = lead == 0xC2 ? 0xA0 : 0x80;  // C2 80..9F would be control codes
    if ((lead == 0xC2 || lead == 0xC3) && in + 1 < text.size() && text[in + 1] >= lowest && text[in + 1] <= 0xBF) {
      const char16_t decoded = static_cast<char16_t>(((lead & 0x03) << 6) | (text[in + 1] & 0x3F));
      text[out++] = decoded;
      in += 2;
      continue;
    }
    text[out++] = text[in++];
  }
  text.resize(out);
  return text;
}

}  // namespace preview
