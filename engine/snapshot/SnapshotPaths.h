#pragma once
// The ".vbrx" naming rule of snapshot files.

#include <string>

namespace engine::snapshot {

inline constexpr char16_t kSnapshotExtension[] = u".vbrx";

// The path with ".vbrx" appended unless it already ends so (in any case). The
// rest of the path keeps its case: folders with upper-case names must still work.
std::u16string WithSnapshotExtension(const std::u16string& path);

// A path given for loading (possibly in double quotes, as from a command line):
// the quotes removed, then the extension rule.
std::u16string SnapshotPathForLoading(const std::u16string& path);

}  // namespace engine::snapshot
