#include "MarkupScan.h"

#include <algorithm>

#include "MarkupVocabulary.h"

namespace markup {
namespace {

bool IsWordChar(char16_t c, bool extended) {
  if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'.') return true;
  return extended && (c == u'*' || c == u'+' || c == u'-' || c == u'/');
}

size_t Advance(TextView text, size_t pos, size_t by) { return std::min(text.size(), pos + by); }

}  // namespace

bool SkipToWordChar(TextView text, size_t& pos, bool extended) {
  while (pos < text.size() && !IsWordChar(text[pos], extended)) ++pos;
  return pos < text.size();
}

char16_t FindAnyOf(TextView text, size_t& pos, TextView set) {
  while (pos < text.size() && set.find(text[pos]) == TextView::npos) ++pos;
  return pos < text.size() ? text[pos] : 0;
}

char16_t SkipAnyOf(TextView text, size_t& pos, TextView set) {
  while (pos < text.size() && set.find(text[pos]) != TextView::npos) ++pos;
  return pos < text.size() ? text[pos] : 0;
}

bool SkipSpacesTo(TextView text, size_t& pos, char16_t wanted) {
  SkipAnyOf(text, pos, u" ");
  if (pos < text.size() && text[pos] == wanted) {
    ++pos;
    return true;
  }
  return false;
}

Text NextDeclarationValue(TextView text, size_t& pos) {
  if (!SkipSpacesTo(text, pos, u':')) return {};
  SkipAnyOf(text, pos, u" ;");
  if (pos < text.size() && text[pos] == u'"') {
    size_t close = text.find(u'"', pos + 1);
    if (close == TextView::npos) {
      pos = text.size();
      return {};
    }
    Text value(text.substr(pos + 1, close - pos - 1));
    pos = close + 1;
    return value;
  }
  size_t start = pos;
  FindAnyOf(text, pos, u";");
  return Text(text.substr(start, pos - start));
}

bool FindMarkupTag(TextView text, TextView name, size_t& pos) {
  Text pattern = u"<" + Text(name);
  while (pos < text.size()) {
    size_t found = text.find(pattern, pos);
    if (found == TextView::npos) break;
    if (found > 0 && text[found - 1] == u'<') {  // an escaped "<<" is text
      pos = found + 1;
      continue;
    }
    pos = found;
    return true;
  }
  pos = text.size();
  return false;
}

bool FindMarkupTagBefore(TextView text, TextView name, size_t& pos, size_t limit) {
  size_t at = pos;
  // A tag that starts before the limit ends before it: the limit is the "<"
  // of another tag.
  if (!FindMarkupTag(text.substr(0, std::min(limit, text.size())), name, at)) return false;
  pos = at;
  return true;
}

// The searches below are linear in the text they pass over: each kind of tag
// is searched for again only after its last find was passed, and a search
// for something that may lie before a known end stops at that end.

size_t FindTableEnd(TextView text, size_t tableStart) {
  size_t open = Advance(text, tableStart, 7), close = open;
  bool hasOpen = FindMarkupTag(text, u"table", open);
  bool hasClose = FindMarkupTag(text, u"/table", close);
  int level = 1;
  while (hasOpen || hasClose) {
    if (hasOpen && (!hasClose || open < close)) {
      ++level;
      open = Advance(text, open, 7);
      hasOpen = FindMarkupTag(text, u"table", open);
    } else {
      if (--level == 0) return close;
      close = Advance(text, close, 8);
      hasClose = FindMarkupTag(text, u"/table", close);
    }
  }
  return text.size();
}

size_t FindRowEnd(TextView text, size_t rowStart) {
  size_t pos = Advance(text, rowStart, 4);
  size_t close = pos;
  bool hasClose = FindMarkupTag(text, u"/tr", close);
  int level = 1;
  while (pos < text.size()) {
    if (hasClose && close < pos) {
      close = pos;
      hasClose = FindMarkupTag(text, u"/tr", close);
    }
    const size_t limit = hasClose ? close : text.size();
    size_t open = pos, table = pos;
    const bool hasOpen = FindMarkupTagBefore(text, u"tr", open, limit);
    if (FindMarkupTagBefore(text, u"table", table, hasOpen ? open : limit)) {
      pos = Advance(text, FindTableEnd(text, table), 6);
      continue;
    }
    if (!hasOpen && !hasClose) break;
    if (hasOpen) {
      ++level;
      pos = Advance(text, open, 4);
    } else {
      if (--level == 0) return close;
      pos = Advance(text, close, 5);
    }
  }
  return text.size();
}

size_t FindCellEnd(TextView text, size_t cellStart) {
  size_t pos = Advance(text, cellStart, 4);
  size_t close = pos;
  bool hasClose = FindMarkupTag(text, u"/td", close);
  while (pos < text.size()) {
    if (hasClose && close < pos) {
      close = pos;
      hasClose = FindMarkupTag(text, u"/td", close);
    }
    size_t table = pos;
    if (FindMarkupTagBefore(text, u"table", table, hasClose ? close : text.size())) {
      pos = std::max(FindTableEnd(text, table), table + 1);
      continue;
    }
    return hasClose ? close : text.size();
  }
  return text.size();
}

Text NextTextChunk(TextView text, size_t& pos, Text& tag) {
  tag.clear();
  size_t open = text.find(u'<', pos);
  if (open == TextView::npos) {
    Text chunk(text.substr(pos));
    pos = text.size();
    return chunk;
  }
  Text chunk(text.substr(pos, open - pos));
  if (open + 1 >= text.size() || text[open + 1] == u'<') {
    chunk += u'<';
    pos = Advance(text, open, 2);
    return chunk;
  }
  size_t close = text.find(u'>', open + 1);
  if (close == TextView::npos || close == open + 1) {
    pos = open + 1;  // only the "<" is consumed; the rest shows as text
    return chunk;
  }
  tag = Text(text.substr(open + 1, close - open - 1));
  pos = close + 1;
  return chunk;
}

Text SplitTag(TextView tag, Text& params) {
  size_t end = tag.find_first_of(u" =");
  if (end == TextView::npos) {
    params.clear();
    return Text(tag);
  }
  size_t start = tag.find_first_not_of(u' ', end);
  params = start == TextView::npos ? Text() : Text(tag.substr(start));
  return Text(tag.substr(0, end));
}

Text NextAttribute(TextView params, size_t& pos, Text& name) {
  name.clear();
  if (!SkipToWordChar(params, pos)) return {};
  size_t start = pos;
  FindAnyOf(params, pos, u" =");
  name = Text(params.substr(start, pos - start));
  SkipAnyOf(params, pos, u" ");
  if (pos >= params.size() || params[pos] != u'=') return {};
  SkipAnyOf(params, pos, u" =");
  if (pos >= params.size()) return {};
  char16_t quote = params[pos];
  if (quote == u'"' || quote == u'\'') {
    size_t close = params.find(quote, pos + 1);
    size_t end = close == TextView::npos ? params.size() : close;
    Text value(params.substr(pos + 1, end - pos - 1));
    pos = Advance(params, end, 1);
    return value;
  }
  size_t valueStart = pos;
  FindAnyOf(params, pos, u" ");
  Text value(params.substr(valueStart, pos - valueStart));
  pos = Advance(params, pos, 1);
  return value;
}

int CountChar(TextView text, char16_t c) { return static_cast<int>(std::count(text.begin(), text.end(), c)); }

Text ToLower(TextView text) {
  Text lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

Text EscapeMarkup(TextView plain) {
  Text escaped;
  escaped.reserve(plain.size() + 8);
  for (size_t i = 0; i < plain.size(); ++i) {
    char16_t c = plain[i];
    if (c == u'<') {
      escaped += u"<<";  // the literal form of "<"
    } else if (c == u'&' && StartsWithEntity(plain.substr(i))) {
      // Entities are expanded one name after another over the whole text, so
      // "&amp;" cannot protect an "&"; an ignored empty tag right after it breaks
      // the entity name instead and draws nothing.
      escaped += u"&<!>";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace markup
