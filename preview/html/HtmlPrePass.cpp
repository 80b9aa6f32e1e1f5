#include "HtmlPrePass.h"

#include <algorithm>

#include "HtmlAttributes.h"
#include "HtmlEntities.h"
#include "HtmlTagTable.h"
#include "HtmlText.h"
#include "HtmlUrl.h"

namespace preview {

namespace {

constexpr std::size_t kNotFound = std::u16string_view::npos;

// Finds one end tag, ignoring case. It remembers its last answer, so a page of many
// "<style" tags without any "</style" is searched once, not once per tag.
class EndTagFinder {
 public:
  explicit EndTagFinder(std::u16string_view needle) : needle_(needle) {}

  std::size_t Find(std::u16string_view text, std::size_t from) {
    if (searched_ && from >= lastFrom_ && (lastResult_ == kNotFound || from <= lastResult_)) return lastResult_;
    searched_ = true;
    lastFrom_ = from;
    lastResult_ = kNotFound;
    for (std::size_t pos = from; pos + needle_.size() <= text.size(); ++pos) {
      if (HtmlTextAt(text, pos, needle_)) {
        lastResult_ = pos;
        break;
      }
    }
    return lastResult_;
  }

 private:
  std::u16string_view needle_;
  bool searched_ = false;
  std::size_t lastFrom_ = 0;
  std::size_t lastResult_ = kNotFound;
};


std::u16string_view TrimTrailingSpace(std::u16string_view text) {
  while (!text.empty() && IsHtmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

class PrePass {
 public:
  PrePass(std::u16string_view page, std::u16string_view baseUrl)
      : page_(page), baseUrl_(baseUrl), plainText_(IsPlainTextPage(baseUrl)) {}

  PreparedHtmlPage Run() {
    result_.text.reserve(page_.size());
    while (pos_ < page_.size()) {
      if (page_[pos_] == u'<') Tag();
      else Character(page_[pos_++]);
    }
    return std::move(result_);
  }

 private:
  void Tag() {
    if (HtmlTextAt(page_, pos_, u"<script")) {
      // Without an end tag the rest is script: it never shows as text.
      const std::size_t end = scriptEnd_.Find(page_, pos_);
      pos_ = end == kNotFound ? page_.size() : PastTagEnd(page_, end);
    } else if (HtmlTextAt(page_, pos_, u"<!--")) {
      const std::size_t end = page_.find(u"-->", pos_ + 4);
      pos_ = end == kNotFound ? page_.size() : end + 3;
    } else if (HtmlTextAt(page_, pos_, u"<title")) {
      Title();
    } else if (HtmlTextAt(page_, pos_, u"<style")) {
      const std::size_t end = styleEnd_.Find(page_, pos_);
      pos_ = PastTagEnd(page_, end == kNotFound ? pos_ : end);
    } else if (HtmlTextAt(page_, pos_, u"<body")) {
      Body();
    } else {
      const HtmlTag tag = MatchHtmlTag(page_, pos_);
      if (tag == kNotATag) {
        pos_ = PastTagEnd(page_, pos_);
        return;
      }
      if (tag == kTagPre) ++preformattedDepth_;
      if (tag == kTagEndPre && preformattedDepth_ > 0) --preformattedDepth_;
      Character(page_[pos_++]);
    }
  }

  // "<title>" text "</title>": the text goes to the title. Without an end tag only the
  // tag is dropped, so the rest of the page still shows.
  void Title() {
    const std::size_t end = titleEnd_.Find(page_, pos_);
    if (end == kNotFound) {
      pos_ = PastTagEnd(page_, pos_);
      return;
    }
    std::size_t start = std::min(pos_ + 7, end);  // "<title>"
    while (start < end && IsHtmlSpace(page_[start])) ++start;
    std::u16string title(TrimTrailingSpace(page_.substr(start, end - start)));
    result_.title = DecodeHtmlEntities(title);
    pos_ = PastTagEnd(page_, end);
  }

  void Body() {
    const std::size_t end = PastTagEnd(page_, pos_);
    CStringRowArray attributes;
    ParseHtmlAttributes(page_.substr(pos_, end - pos_), attributes);
    if (const char16_t* colour = FindHtmlAttribute(attributes, u"bgcolor"))
      result_.backgroundColour = LookupHtmlColour(colour);
    const char16_t* background = FindHtmlAttribute(attributes, u"background");
    if (background != nullptr && *background != u'\0') result_.backgroundUrl = ResolveUrl(background, baseUrl_);
    pos_ = end;
  }

  void Character(char16_t c) {
    if (preformattedDepth_ > 0 || plainText_ || !IsHtmlSpace(c)) {
      result_.text += c;
      return;
    }
    if (result_.text.empty() || result_.text.back() != u' ') result_.text += u' ';
  }

  std::u16string_view page_;
  std::u16string_view baseUrl_;
  bool plainText_;
  std::size_t pos_ = 0;
  int preformattedDepth_ = 0;
  EndTagFinder scriptEnd_{u"</script"};
  EndTagFinder styleEnd_{u"</style"};
  EndTagFinder titleEnd_{u"</title"};
  PreparedHtmlPage result_;
};

}  // namespace

bool IsPlainTextPage(std::u16string_view baseUrl) {
  const std::size_t dot = baseUrl.rfind(u'.');
  return dot != kNotFound && HtmlEqualsIgnoringCase(baseUrl.substr(dot + 1), u"txt");
}

PreparedHtmlPage PrepareHtmlPage(std::u16string_view page, std::u16string_view baseUrl) {
  return PrePass(page, baseUrl).Run();
}

}  // namespace preview
