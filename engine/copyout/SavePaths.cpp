#include "SavePaths.h"

#include <algorithm>
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
  while (!safe.empty() && (safe.back() == u'.' || safe.back() == u' ')) safe.pop_back();
  if (safe.empty()) return u"_";
  if (IsReservedDeviceName(safe)) safe.insert(0, 1, u'_');
  return FitFileName(safe);
}

std::u16string FitFileName(std::u16string_view name, size_t limit) {
  if (name.size() <= limit) return std::u16string(name);
  // Keep an extension of a usual length; a long tail after a dot is part of the name.
  constexpr size_t kLongestKeptExtension = 16;
  const size_t dot = name.rfind(u'.');
  const bool keepExtension = dot != std::u16string_view::npos && dot > 0 && name.size() - dot <= kLongestKeptExtension &&
                             name.size() - dot < limit;
  const std::u16string_view extension = keepExtension ? name.substr(dot) : std::u16string_view{};
  std::u16string stem(name.substr(0, std::min(keepExtension ? dot : name.size(), limit - extension.size())));
  if (!stem.empty() && stem.back() >= 0xD800 && stem.back() <= 0xDBFF) stem.pop_back();  // half a pair
  while (!stem.empty() && (stem.back() == u'.' || stem.back() == u' ')) stem.pop_back();
  if (stem.empty()) stem = u"_";
  return stem + std::u16string(extension);
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  path += name;
  return path;
}

std::u16string CopyOfName(std::u16string_view name, uint64_t n) {
  const std::u16string prefix = u"Copy (" + DecimalText(n) + u" ) of ";
  return prefix + FitFileName(name, kMaxFileNameLength - prefix.size());
}

std::u16string PartialFileName(std::u16string_view name) {
  const std::u16string_view ending = u".partial";
  return FitFileName(name, kMaxFileNameLength - ending.size()) + std::u16string(ending);
}

}  // namespace engine
