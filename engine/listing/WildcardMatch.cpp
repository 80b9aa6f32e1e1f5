#include "WildcardMatch.h"

#include <string>

namespace engine {
namespace {

bool EndsWith(std::u16string_view name, std::u16string_view tail) {
  return tail.size() <= name.size() && name.substr(name.size() - tail.size()) == tail;
}

// The segment S ends with a '?': the name's last |S| characters must equal S,
// its final character standing for anything.
bool EndsWithQuestionSegment(std::u16string_view name, std::u16string_view segment) {
  if (segment.size() > name.size()) return false;
  std::u16string_view tail = name.substr(name.size() - segment.size());
  return tail.substr(0, tail.size() - 1) == segment.substr(0, segment.size() - 1);
}

}  // namespace

int MatchWildcard(std::u16string_view name, std::u16string_view pattern) {
  const size_t n = name.size();
  if (n == 0 || pattern.empty()) return 0;
  const bool hasStar = pattern.find(u'*') != std::u16string_view::npos;
  const bool hasQuestion = pattern.find(u'?') != std::u16string_view::npos;
  if (!hasStar && n < pattern.size()) return 0;
  if (pattern == u"*") return 1;
  if (pattern == u"*.*") return name.find(u'.') != std::u16string_view::npos ? 1 : 0;
  if (!hasStar && !hasQuestion) return name.find(pattern) != std::u16string_view::npos ? 1 : 0;

  // A run of trailing '*' means the same as one.
  while (pattern.size() >= 2 && pattern[pattern.size() - 1] == u'*' && pattern[pattern.size() - 2] == u'*') {
    pattern.remove_suffix(1);
  }
  const size_t p = pattern.size();

  size_t i = 0;         // position in the name
  bool afterStar = false;
  std::u16string segment;  // literals met since the last '*'
  size_t b = 0;
  while (b < p) {
    const char16_t c = pattern[b];
    const bool last = b + 1 == p;

    if (c == u'*') {
      segment.clear();
      afterStar = true;
      if (last) return 1;
      size_t d = b + 1;
      while (d < p && (pattern[d] == u'*' || pattern[d] == u'?')) ++d;
      if (d == p) return 1;
      const bool dIsLast = d + 1 == p;
      if (d == b + 1) {
        ++i;
        if (i >= n) {
          return dIsLast && name.find(pattern[d], b + 1) != std::u16string_view::npos ? 1 : 0;
        }
      } else {
        if (dIsLast) return name[n - 1] == pattern[d] ? 1 : 0;
        ++i;
        if (i >= n) return 0;
      }
      b = d;
      continue;
    }

    if (c == u'?') {
      if (last) {
        segment += u'?';
        return EndsWithQuestionSegment(name, segment) ? 1 : 0;
      }
      if ((i + 1 > p && b + 1 < p) || (b + 2 < p && i + 1 >= n)) return 0;
      ++i;
    } else if (!afterStar) {
      if (b >= n || i >= n || c != name[i]) return 0;
      ++i;
    } else if (i < n && c == name[i]) {
      if (b + 2 < p && i + 1 >= n) return 0;
      segment += c;
      if (last) return EndsWith(name, segment) ? 1 : 0;
      ++i;
    } else {
      segment += c;
      if (last) return EndsWith(name, segment) ? 1 : 0;
      const size_t from = i == 0 ? 0 : i - 1;
      const size_t h = name.find(segment, from);
      if (h == std::u16string_view::npos) return 0;
      if (h + segment.size() >= n) return 0;
      i = h + segment.size();
    }
    ++b;
  }
  return 1;
}

}  // namespace engine
