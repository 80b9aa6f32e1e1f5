#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlPrePass.h"
#include "HtmlTagTable.h"

namespace preview {
namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(HtmlTagTableTest, MatchesWholeTagNamesIgnoringCase) {
  struct TagCase {
    std::u16string text;
    HtmlTag expected;
  };
  const std::vector<TagCase> cases = {
      {u"<B>", kTagB},          {u"<big>", kTagBig},         {u"<b", kTagB},
      {u"<bogus>", kNotATag},   {u"</TD >", kTagEndTd},      {u"<br/>", kTagBr},
      {u"<p\nalign=x>", kTagP}, {u"<pre>", kTagPre},         {u"</p>", kTagEndP},
      {u"<span>", kNotATag},    {u"<", kNotATag},            {u"<blockquote>", kTagBlockquote},
  };
  for (const TagCase& c : cases) EXPECT_EQ(MatchHtmlTag(c.text, 0), c.expected) << Narrow(c.text);
  EXPECT_EQ(MatchHtmlTag(u"x", 5), kNotATag);
}

TEST(HtmlPrePassTest, DropsWhatNeverShowsAndFoldsWhiteSpace) {
  struct PageCase {
    std::u16string page;
    std::u16string expected;
  };
  const std::vector<PageCase> cases = {
      {u"a<script>if (a<b) x();</script >b", u"ab"},
      {u"a<SCRIPT>never closed <b>bold</b>", u"a"},
      {u"a<!-- <b>hidden</b> -->b<!-- open", u"ab"},
      {u"a<style>p{}</style>b<style>c", u"abc"},
      {u"<span class=x>kept</span> <b>bold</b>", u"kept <b>bold</b>"},
      {u"one \t\r\n two", u"one two"},
      {u"<pre>a  \n b</pre>  c\n\nd", u"<pre>a  \n b</pre> c d"},
      {u"<pre><pre>x</pre>  y</pre>  z", u"<pre><pre>x</pre>  y</pre> z"},
      {u"</pre>a  b", u"</pre>a b"},                  // a stray end tag does not leave the count negative
      {u"<body bgcolor=red>text", u"text"},
      {u"a<unclosed tag", u"a"},
      {std::u16string(u"a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const PageCase& c : cases)
    EXPECT_EQ(PrepareHtmlPage(c.page, u"file://C:\\p.html").text, c.expected) << Narrow(c.page);
}

TEST(HtmlPrePassTest, TakesTitleAndBodyBackground) {
  const PreparedHtmlPage page = PrepareHtmlPage(
      u"<html><head><title>\n  Fish &amp; Chips \t</title></head>"
      u"<body bgcolor=\"#102030\" background=\"img/bg.gif\">Hi</body>",
      u"file://C:\\site\\index.html");
  ASSERT_TRUE(page.title.has_value());
  EXPECT_EQ(*page.title, u"Fish & Chips");
  ASSERT_TRUE(page.backgroundColour.has_value());
  EXPECT_EQ(*page.backgroundColour, HtmlRgb(0x10, 0x20, 0x30));
  EXPECT_EQ(page.backgroundUrl, u"file://C:\\site\\img\\bg.gif");
  EXPECT_EQ(page.text, u"Hi");

  const PreparedHtmlPage untitled = PrepareHtmlPage(u"<title>no end <b>x</b>", u"file://C:\\a.html");
  EXPECT_FALSE(untitled.title.has_value());
  EXPECT_EQ(untitled.text, u"no end <b>x</b>");
}

TEST(HtmlPrePassTest, PlainTextPagesKeepTheirWhiteSpace) {
  EXPECT_TRUE(IsPlainTextPage(u"file://C:\\notes.TXT"));
  EXPECT_FALSE(IsPlainTextPage(u"file://C:\\notes.html"));
  EXPECT_FALSE(IsPlainTextPage(u"file://C:\\txt"));
  EXPECT_EQ(PrepareHtmlPage(u"a  \tb\r\nc", u"file://C:\\notes.txt").text, u"a  \tb\r\nc");
}

TEST(HtmlPrePassTest, ManyUnclosedStyleTagsStayLinear) {
  std::u16string page;
  for (int i = 0; i < 100000; ++i) page += u"<style>";
  EXPECT_EQ(PrepareHtmlPage(page, u"file://C:\\a.html").text, u"");
}

}  // namespace
}  // namespace preview
