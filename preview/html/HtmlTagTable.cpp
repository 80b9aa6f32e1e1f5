#include "HtmlTagTable.h"

#include <iterator>

#include "HtmlText.h"

namespace preview {

namespace {

constexpr std::u16string_view kTagTexts[] = {
    u"<br", u"<i", u"</i", u"<b", u"</b", u"<strong", u"</strong", u"<u", u"</u", u"<a", u"</a",
    u"<small", u"</small", u"<big", u"</big", u"<center", u"</center", u"<p", u"<font", u"</font",
    u"<img", u"<h1", u"</h1", u"<div", u"</div", u"<hr", u"<table", u"</table", u"<tr", u"</tr",
    u"<td", u"</td", u"<h2", u"</h2", u"<h3", u"</h3", u"<pre", u"</pre", u"<input", u"<ul", u"<ol",
    u"<li", u"</ul", u"</ol", u"<sub", u"</sub", u"<sup", u"</sup", u"<strike", u"</strike",
    u"<select", u"</select", u"<option", u"<textarea", u"</textarea", u"<th", u"</th", u"<form",
    u"</form", u"<blockquote", u"</blockquote", u"</p",
};
static_assert(std::size(kTagTexts) == kHtmlTagCount);

bool EndsTagName(std::u16string_view text, std::size_t pos) {
  return pos >= text.size() || IsHtmlSpace(text[pos]) || text[pos] == u'>' || text[pos] == u'/';
}

}  // namespace

std::u16string_view HtmlTagText(HtmlTag tag) { return kTagTexts[tag]; }

std::size_t PastTagEnd(std::u16string_view text, std::size_t from) {
  const std::size_t bracket = text.find(u'>', from < text.size() ? from : text.size());
  return bracket == std::u16string_view::npos ? text.size() : bracket + 1;
}

bool HtmlTextAt(std::u16string_view text, std::size_t pos, std::u16string_view prefix) {
  return pos <= text.size() && HtmlStartsWithIgnoringCase(text.substr(pos), prefix);
}

HtmlTag MatchHtmlTag(std::u16string_view text, std::size_t pos) {
  for (int tag = 0; tag < kHtmlTagCount; ++tag) {
    const std::u16string_view entry = kTagTexts[tag];
    if (HtmlTextAt(text, pos, entry) && EndsTagName(text, pos + entry.size())) return static_cast<HtmlTag>(tag);
  }
  return kNotATag;
}

}  // namespace preview
