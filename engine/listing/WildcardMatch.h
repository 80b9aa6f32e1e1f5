#pragma once
// The wildcard matcher shared by the file filters, the Find dialog and saving.
// Callers upper-case both sides; characters compare as whole UTF-16 units.

#include <string_view>

namespace engine {

// 1 when `name` matches `pattern`, else 0. An empty name or pattern matches
// nothing; "*" matches every name and "*.*" every name holding a '.'; a pattern
// without '*' and '?' matches a name that contains it. Otherwise '*' stands for a
// run of characters and '?' for one, and a pattern without a final '*' matches
// any name that begins with what the pattern matched.
int MatchWildcard(std::u16string_view name, std::u16string_view pattern);

}  // namespace engine
