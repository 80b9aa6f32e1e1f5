#pragma once
// Character references of recovered HTML. Both functions work on the whole string,
// embedded NULs included, and never make it longer.

#include <string>

namespace preview {

// Decodes named entities (case-sensitive, in the table's order), the two bare
// characters U+0097 and U+00A0, and decimal references "&#65;" in place. Unknown
// entities stay as written. Returns the text.
std::u16string& DecodeHtmlEntities(std::u16string& text);

// Repairs UTF-8 read as single-byte text: U+00C2 followed by U+00A0..U+00BF, or U+00C3 followed by U+0080..U+00BF,
// becomes the one character U+00A0..U+00FF that the pair encodes (96 pairs).
std::u16string& DecodeUtf8Latin1(std::u16string& text);

}  // namespace preview
