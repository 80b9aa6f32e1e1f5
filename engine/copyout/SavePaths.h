#pragma once
// Paths of recovered files. Names come from the disk and are made safe here,
// when a path is built for writing (never in the list), so that nothing is ever
// written outside the chosen target folder.

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

// `\ / : * ? " < > |` and codes 0-31 become '_'; trailing dots and blanks are
// dropped; ".", ".." and the device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// also with an extension) get a leading '_'. Never empty.
std::u16string SanitizeFileName(std::u16string_view name);

// The folder, a '\' unless the folder already ends with one, and the name.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

// "Copy (" n " ) of " name: the names tried when a file's name is taken.
std::u16string CopyOfName(std::u16string_view name, uint64_t n);

}  // namespace engine
