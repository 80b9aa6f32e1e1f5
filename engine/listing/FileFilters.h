#pragma once
// The user's file filters: the File Filters dialog edits them, the list fillers
// and the save routines apply them to file names (never to folders).

#include <string>
#include <string_view>
#include <vector>

namespace engine {

inline constexpr size_t kMaxFileFilters = 99;
inline constexpr size_t kMaxFileFilterLength = 19;

struct FileFilterTable {
  std::vector<std::u16string> Patterns;  // in the dialog's order
};

// Upper case as the filters compare: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters; every other character stays as it is.
std::u16string UpperCaseText(std::u16string_view text);

// True when there are no filters, or the upper-cased name matches at least one
// upper-cased pattern (MatchWildcard).
bool PassesFileFilters(const FileFilterTable& filters, std::u16string_view fileName);

}  // namespace engine
