#include "SavePaths.h"

#include <array>

#include "listing/FileFilters.h"
#include "listing/ResultRows.h"

namespace engine {
namespace {

bool IsReservedDeviceName(std::u16string_view name) {
  const size_t dot = name.find(u'.');
  const std::u16string stem = UpperCaseText(name.substr(0, dot));
  static constexpr std::array<std::u16string_view, 4> kPlain = {u"CON", u"PRN", u"AUX", u"NUL"};
  for (std::u16string_view device : kPlain) {
    if (stem == device) return true;
  }
  if (stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) && stem[3] >= u'1' && stem[3] <= u'9') {
    return true;
  }
  return false;
}

}  // namespace

std::u16string SanitizeFileName(std::u16string_view name) {
  std::u16string safe;
  safe.reserve(name.size());
  for (char16_t c : name) {
    const bool forbidden = c < 32 || c == u'\\' || c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
                           c == u'<' || c == u'>' || c == u'|';
    safe += forbidden ? u'_' : c;
  }
  if (safe == u"." || safe == u"..") return u"_" + safe;
  while (!safe.empty() && (safe.back() == u'.' || safe.back() == u' ')) safe.pop_back();
  if (safe.empty()) return u"_";
  if (IsReservedDeviceName(safe)) return u"_" + safe;
  return safe;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  path += name;
  return path;
}

std::u16string CopyOfName(std::u16string_view name, uint64_t n) {
  return u"Copy (" + DecimalText(n) + u" ) of " + std::u16string(name);
}

}  // namespace engine
