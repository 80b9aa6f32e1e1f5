#include "snapshot/SnapshotPaths.h"

#include <algorithm>

namespace engine::snapshot {
namespace {

char16_t AsciiLower(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit; }

bool EndsWithExtension(const std::u16string& path) {
  const std::u16string_view extension(kSnapshotExtension);
  if (path.size() < extension.size()) return false;
  return std::equal(extension.begin(), extension.end(), path.end() - static_cast<std::ptrdiff_t>(extension.size()),
                    [](char16_t wanted, char16_t given) { return wanted == AsciiLower(given); });
}

}  // namespace

std::u16string WithSnapshotExtension(const std::u16string& path) {
  return EndsWithExtension(path) ? path : path + kSnapshotExtension;
}

std::u16string SnapshotPathForLoading(const std::u16string& path) {
  std::u16string unquoted;
  unquoted.reserve(path.size());
  for (char16_t unit : path) {
    if (unit != u'"') unquoted += unit;
  }
  return WithSnapshotExtension(unquoted);
}

}  // namespace engine::snapshot
