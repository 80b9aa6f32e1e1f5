// Scanning the markup text: word and set searches, tag and attribute tokens, and
// finding the ends of tables, rows and cells. Positions are indexes that never
// pass the end of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace markup {

using Text = std::u16string;
using TextView = std::u16string_view;

// Moves to the next digit, ASCII letter or "." (with `extended` also "*+-/").
bool SkipToWordChar(TextView text, size_t& pos, bool extended = false);
// Moves to the next character of `set` and returns it; 0 at the end.
char16_t FindAnyOf(TextView text, size_t& pos, TextView set);
// Moves past characters of `set` and returns the first other one; 0 at the end.
char16_t SkipAnyOf(TextView text, size_t& pos, TextView set);
// Skips blanks; when the next character is `wanted`, moves past it and answers true.
bool SkipSpacesTo(TextView text, size_t& pos, char16_t wanted);
// Reads ":" value of a declaration: a quoted value without its quotes, else up to ";".
Text NextDeclarationValue(TextView text, size_t& pos);

// Finds "<" + name from pos, passing over escaped "<<"; pos ends at the "<" or the end.
bool FindMarkupTag(TextView text, TextView name, size_t& pos);
// The same for a tag that starts before `limit`; pos stays where it was when none does.
bool FindMarkupTagBefore(TextView text, TextView name, size_t& pos, size_t limit);
size_t FindTableEnd(TextView text, size_t tableStart);
size_t FindRowEnd(TextView text, size_t rowStart);
size_t FindCellEnd(TextView text, size_t cellStart);

// Returns the text up to the next tag and reads that tag's text (empty when none).
Text NextTextChunk(TextView text, size_t& pos, Text& tag);
// Splits a tag's text into its name and its parameter text.
Text SplitTag(TextView tag, Text& params);
// Reads the next name=value attribute; returns the value, empty without "=".
Text NextAttribute(TextView params, size_t& pos, Text& name);

int CountChar(TextView text, char16_t c);
Text ToLower(TextView text);

// Makes a plain text (a path, a file name from a damaged disk) safe to put into
// markup: it shows exactly as given, "<b>.txt" included.
Text EscapeMarkup(TextView plain);

}  // namespace markup
