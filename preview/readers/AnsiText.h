#pragma once
// Single-byte text of the system ANSI code page turned into UTF-16. On Windows
// through MultiByteToWideChar with the code page; elsewhere through Windows-1252,
// the code page of the machines these files usually come from.

#include <string>
#include <string_view>

namespace preview {

// One line or field of ANSI bytes as UTF-16. Every byte is kept: a NUL or a byte the
// code page does not define becomes U+FFFD, so text after it is still shown.
std::u16string AnsiToWide(std::string_view bytes, unsigned codePage = 0);

}  // namespace preview
