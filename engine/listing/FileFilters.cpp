#include "FileFilters.h"

#include "WildcardMatch.h"

namespace engine {
namespace {

char16_t UpperCaseChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs: upper case at the even code (odd before 0x138 and after 0x148).
  if (c >= 0x100 && c <= 0x137 && (c & 1)) return static_cast<char16_t>(c - 1);
  if (c >= 0x139 && c <= 0x148 && !(c & 1)) return static_cast<char16_t>(c - 1);
  if (c >= 0x14A && c <= 0x177 && (c & 1)) return static_cast<char16_t>(c - 1);
  if ((c == 0x17A || c == 0x17C || c == 0x17E)) return static_cast<char16_t>(c - 1);
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  return c;
}

}  // namespace

std::u16string UpperCaseText(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper) c = UpperCaseChar(c);
  return upper;
}

bool PassesFileFilters(const FileFilterTable& filters, std::u16string_view fileName) {
  if (filters.Patterns.empty()) return true;
  const std::u16string name = UpperCaseText(fileName);
  for (const std::u16string& pattern : filters.Patterns) {
    if (MatchWildcard(name, UpperCaseText(pattern)) == 1) return true;
  }
  return false;
}

}  // namespace engine
