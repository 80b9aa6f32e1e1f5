#pragma once
// The tags the renderer understands. Every other tag is dropped before parsing.

#include <cstddef>
#include <string_view>

namespace preview {

// Numbers of the tag table, in lookup order.
enum HtmlTag : int {
  kTagBr, kTagI, kTagEndI, kTagB, kTagEndB, kTagStrong, kTagEndStrong, kTagU, kTagEndU, kTagA, kTagEndA,
  kTagSmall, kTagEndSmall, kTagBig, kTagEndBig, kTagCenter, kTagEndCenter, kTagP, kTagFont, kTagEndFont,
  kTagImg, kTagH1, kTagEndH1, kTagDiv, kTagEndDiv, kTagHr, kTagTable, kTagEndTable, kTagTr, kTagEndTr,
  kTagTd, kTagEndTd, kTagH2, kTagEndH2, kTagH3, kTagEndH3, kTagPre, kTagEndPre, kTagInput, kTagUl, kTagOl,
  kTagLi, kTagEndUl, kTagEndOl, kTagSub, kTagEndSub, kTagSup, kTagEndSup, kTagStrike, kTagEndStrike,
  kTagSelect, kTagEndSelect, kTagOption, kTagTextarea, kTagEndTextarea, kTagTh, kTagEndTh, kTagForm,
  kTagEndForm, kTagBlockquote, kTagEndBlockquote, kTagEndP,
  kHtmlTagCount,
  kNotATag = -1,
};

// The opening text of tag `tag`, such as u"<br".
std::u16string_view HtmlTagText(HtmlTag tag);

// The tag whose opening text starts at `pos` (ignoring case) and is followed by the
// end of the text, white space, ">" or "/" (so "<b" does not take "<big"), or kNotATag.
HtmlTag MatchHtmlTag(std::u16string_view text, std::size_t pos);

// The position after the first ">" at or after `from`, or the end of the text: an
// unterminated tag runs to the end and is never read past it.
std::size_t PastTagEnd(std::u16string_view text, std::size_t from);

// True when `text` at `pos` starts with `prefix`, ignoring case; never reads past the end.
bool HtmlTextAt(std::u16string_view text, std::size_t pos, std::u16string_view prefix);

}  // namespace preview
