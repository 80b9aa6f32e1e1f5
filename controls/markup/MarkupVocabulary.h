// The fixed vocabulary of the markup language: tags, entities and colour names.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "MarkupTypes.h"

namespace markup {

enum MarkupTagId : int {
  kTagUnknown = 0,
  kTagBold = 1,
  kTagItalic = 2,
  kTagUnderline = 3,
  kTagStrikeOut = 4,
  kTagFont = 5,
  kTagRule = 6,
  kTagBreak = 7,
  kTagTab = 8,
  kTagLeft = 9,
  kTagCenter = 10,
  kTagRight = 11,
  kTagJustify = 12,
  kTagBaseline = 13,
  kTagTop = 14,
  kTagVCenter = 15,
  kTagBottom = 16,
  kTagBitmap = 17,
  kTagIcon = 18,
  kTagImageStrip = 19,
  kTagString = 20,
  kTagStyleRule = 21,
  kTagSpan = 22,
  kTagLink = 23,
};

struct MarkupTag {
  int id = kTagUnknown;
  std::u16string value;  // names the element an opening tag pushes; empty for empty elements
};

using TagTable = std::map<std::u16string, MarkupTag>;
using EntityTable = std::map<std::u16string, std::u16string>;
using ColorTable = std::map<std::u16string, Color>;

// Index of a system colour, as the Win32 COLOR_* constants number them.
using SystemColorSource = Color (*)(int index);
// The classic Windows system colours, for builds without a display.
Color ClassicSystemColor(int index);

TagTable MakeTagTable();
EntityTable MakeEntityTable();
ColorTable MakeColorTable(SystemColorSource systemColor);

// True when `text` begins with one of the entity names ("&amp;" ...).
bool StartsWithEntity(std::u16string_view text);

// Expands entities one name after another in ascending order (so "&amp;lt;"
// ends as a literal "<"), drops carriage returns, and turns line feeds and tabs
// into "<br>" and "<t>" (newline mode) or drops them.
std::u16string ExpandText(std::u16string text, const EntityTable& entities, bool newlineMode);

}  // namespace markup
