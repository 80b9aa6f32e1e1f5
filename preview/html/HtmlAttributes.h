#pragma once
// The attributes of one tag, split into a string table: one row per attribute,
// entry 0 the name and entry 1 the value ("" for a name without "=").

#include <string_view>

#include "CStringRowArray.h"

namespace preview {

// Reads `tagText` up to its first ">" (or its end); attributes start after the first
// space. A quoted value runs to the same quote or, unterminated, to the end of the
// tag; any other value to the next space. Appends rows to `out`.
void ParseHtmlAttributes(std::u16string_view tagText, CStringRowArray& out);

// The value of attribute `name` (compared ignoring case) in `attributes`, or null.
const char16_t* FindHtmlAttribute(const CStringRowArray& attributes, std::u16string_view name);

// An attribute number: an optional sign and decimal digits, anything after them
// ignored ("50%" reads as 50), clamped to the int range; 0 when there are no digits.
int ReadHtmlInteger(std::u16string_view value);

}  // namespace preview
