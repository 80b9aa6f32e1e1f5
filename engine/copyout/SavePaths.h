#pragma once
// Paths of recovered files. Names come from the disk and are made safe here,
// when a path is built for writing (never in the list), so that nothing is ever
// written outside the chosen target folder.

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

// The longest name a folder entry may have, in UTF-16 code units.
inline constexpr size_t kMaxFileNameLength = 255;

// `\ / : * ? " < > |` and codes 0-31 become '_'; trailing dots and blanks are
// dropped (so "." and ".." become "_"); the device names (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9, also with an extension) get a leading '_'; a name longer than
// kMaxFileNameLength is shortened, keeping its extension. Never empty.
std::u16string SanitizeFileName(std::u16string_view name);

// The name cut to at most `limit` code units before its extension (the last
// '.' and what follows, when that is short), never between the two halves of a
// surrogate pair nor ending in a dot or blank.
std::u16string FitFileName(std::u16string_view name, size_t limit = kMaxFileNameLength);

// The folder, a '\' unless the folder already ends with one, and the name.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

// "Copy (" n " ) of " name: the names tried when a file's name is taken; the
// name is shortened so that the whole fits kMaxFileNameLength.
std::u16string CopyOfName(std::u16string_view name, uint64_t n);

// The name a file cut short is kept under: the name (shortened to fit) and ".partial".
std::u16string PartialFileName(std::u16string_view name);

}  // namespace engine
