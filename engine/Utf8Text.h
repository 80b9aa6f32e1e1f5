#pragma once
// UTF-16 <-> UTF-8 for the places where the engine's text meets byte strings:
// POSIX paths, console output, test listings. Invalid input never fails: an
// unpaired surrogate or a malformed byte sequence becomes U+FFFD.

#include <string>
#include <string_view>

namespace engine {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace engine
