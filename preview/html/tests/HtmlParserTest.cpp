#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlParser.h"
#include "HtmlParserFakes.h"

namespace preview {
namespace {

std::string Narrow(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// One line per element list: text runs quoted with their style, "|" for a break, boxes
// with their content in brackets.
std::string Describe(const BrowserElementList& elements) {
  std::string out;
  for (const auto& element : elements) {
    if (!out.empty()) out += ' ';
    switch (element->kind) {
      case kElementText:
        out += '"' + Narrow(element->text) + '"';
        if (element->fontHeight != 15) out += ":h" + std::to_string(element->fontHeight);
        if (element->bold) out += "+b";
        if (element->italic) out += "+i";
        if (element->edges & kEdgeBottom) out += "+u";
        if (element->edges & kEdgeMiddle) out += "+s";
        if (element->link >= 0) out += "+L" + std::to_string(element->link);
        break;
      case kElementBreak:
        out += element->width != 0 ? "|hr" : element->clear ? "|clear" : "|";
        break;
      case kElementImage:
        out += "img" + std::to_string(element->image);
        if (element->width != 0 || element->height != 0)
          out += ":" + std::to_string(element->width) + "x" + std::to_string(element->height);
        break;
      case kElementBox:
        out += "box(p" + std::to_string(element->padding) + ",f" + std::to_string(element->floatSide) + ")[" +
               Describe(element->children) + "]";
        break;
      default:
        out += "?";
    }
    if (element->alignment != kAlignLeft) out += "@" + std::to_string(element->alignment);
  }
  return out;
}

struct Parsed {
  ParsedHtmlPage page;
  FakeImageRegistry images;
};

Parsed Parse(std::u16string_view html, std::u16string baseUrl = u"file://C:\\site\\index.html") {
  Parsed parsed;
  FakeTextMeasurer measurer;
  HtmlPageSettings settings;
  settings.baseUrl = std::move(baseUrl);
  parsed.page = ParseHtmlPage(html, settings, measurer, parsed.images);
  return parsed;
}

TEST(HtmlParserTest, SnippetsBecomeElementLists) {
  struct SnippetCase {
    std::u16string html;
    std::string expected;
  };
  const std::vector<SnippetCase> cases = {
      {u"a <b>bold</b> c", R"("a" " " "bold"+b " " "c")"},
      {u"<B>x</B><big>y</big><I>z</i>", R"("x"+b "y":h20 "z"+i)"},
      {u"<u>u</u><strike>s</strike><sub>d</sub><sup>r</sup>", R"("u"+u "s"+s "d":h10 "r":h10)"},
      {u"x<p>y", R"("x" " " | " " | "y")"},
      {u"<p>y", R"(| "y")"},
      {u"<br><br clear=all>", R"(" " | " " |clear)"},
      {u"a<hr>", R"("a" " " |hr " " |)"},
      {u"<font size=3>a</font><font size=+1>b</font><font size=0>c</font>", R"("a":h20 "b":h16 "c")"},
      {u"<h1>T</h1>", R"(" ":h30+b | " ":h30+b | "T":h30+b " " |)"},
      {u"<center>c</center>", R"(|@2 "c"@2 " " |)"},
      {u"&lt;b&gt; caf&eacute; &#65;&amp;", R"("<b>" " " "caf?" " " "A&")"},
      {u"<span style=x>kept</span><script>x</script><!-- c -->!", R"("kept!")"},
      {u"<pre>a  b</pre> c", R"(| box(p0,f-1)["a" " " " " "b"] | "c")"},
      {u"<blockquote>q</blockquote>z", R"(| box(p15,f-1)["q"] | "z")"},
      {u"<img src=a.gif width=20 height=10 border=2>", "img0:20x10"},
      {u"<img src=a.gif width=0>", ""},
      {u"<img src=a.gif height=x>", ""},
      {u"<img src=a.gif align=left>", R"(| box(p4,f0)[img0] | |)"},
      {u"<img src=a.gif ALIGN=right>", R"(|@1 box(p4,f1)[img0]@1 | |)"},
      {u"<img src=\"a.gif", "img0"},
      {u"<a href=\"x.html\">go</a> <a href=\"X.HTML\">again</a> <a name=n>plain</a>",
       R"("go"+u+L0 " " "again"+u+L0 " " "plain")"},
      {u"<a href=\"never closed", ""},
      {u"a <", R"("a" " ")"},
      {u"<ul><li>one<li>two</ul>x",
       R"(| box(p2,f-1)[" " "l" " "] box(p2,f-1)["one"] | box(p2,f-1)[" " "l" " "] box(p2,f-1)["two"] | "x")"},
      {u"<ol><li>a<ol><li>b</ol></ol>",
       R"(| box(p2,f-1)[" " " " " " "1." " " " " " " " "] box(p2,f-1)["a" | box(p2,f-1)[" " " " " " "a." " " " " " " " "] box(p2,f-1)["b"] |] |)"},
      {u"<ul><li>never closed", R"(| box(p2,f-1)[" " "l" " "] box(p2,f-1)["never" " " "closed"] |)"},
      {u"<ol>no items</ol>", "|"},
      {u"<center><div align=right>r</div>c</center>", R"(|@2 |@1 "r"@1 |@2 "c"@2 " " |)"},
      {u"<center><div class=x>c</div></center>", R"(|@2 |@2 "c"@2 |@2 |)"},
      {u"<p align=center>one<p align=center>two", R"(|@2 |@2 "one"@2 | |@2 |@2 "two"@2 |)"},
      {u"<div align=left>same</div>", R"(| "same" " " |)"},
      {u"<table><tr><td>a</td><td colspan=2>b</td></tr><tr><th>h</table>z",
       R"(| box(p4,f-1)["a"] box(p4,f-1)["b"] | box(p4,f-1)["h":h19@2] | | "z")"},
      {u"<table align=right border=1><tr><td><table><td>in</table></table>",
       R"(|@1 box(p5,f1)[| box(p4,f-1)["in"] | |]@1 |@1 |)"},
      {u"<table><tr><td>never closed", R"(| box(p4,f-1)["never" " " "closed"] | |)"},
      {u"<table>loose text<tr></tr></table>", "| |"},
      {u"<ul><li><ul><li>x</ul></ul>",
       R"(| box(p2,f-1)[" " "l" " "] box(p2,f-1)[| box(p2,f-1)[" " "m" " "] box(p2,f-1)["x"] |] |)"},
  };
  for (const SnippetCase& c : cases) EXPECT_EQ(Describe(Parse(c.html).page.elements), c.expected) << Narrow(c.html);
}

TEST(HtmlParserTest, TableCellsCarryTheirPlaceSizeAndColours) {
  Parsed parsed = Parse(u"<table width=400 bgcolor=silver cellpadding=1 cellspacing=0 bordercolor=red>"
                        u"<tr bgcolor=yellow align=right><td width=50% colspan=0 valign=bottom>a<td width=30 rowspan=5000 nowrap>b c"
                        u"<tr><td bgcolor=#000080>d</td></table>");
  const BrowserElementList& e = parsed.page.elements;
  ASSERT_EQ(Describe(e), R"(| box(p1,f-1)["a"@1] box(p1,f-1)["b"@1 " "@1 "c"@1] | box(p1,f-1)["d"@1] | |)");
  EXPECT_EQ(e[0]->backgroundColour, static_cast<std::int32_t>(HtmlRgb(0xC0, 0xC0, 0xC0)));
  EXPECT_EQ(e[1]->cellWidth, 200);
  EXPECT_EQ(e[1]->columnSpan, 1);
  EXPECT_EQ(e[1]->verticalAlignment, 1);
  EXPECT_EQ(e[1]->backgroundColour, static_cast<std::int32_t>(HtmlRgb(0xFF, 0xFF, 0)));
  EXPECT_EQ(e[1]->edgeColour, static_cast<std::int32_t>(HtmlRgb(0xFF, 0, 0)));
  EXPECT_EQ(e[1]->tableWidth, 400);
  EXPECT_EQ(e[2]->column, 1);
  EXPECT_EQ(e[2]->rowSpan, 1000);
  EXPECT_EQ(e[2]->children[0]->preformatted, 0);  // a cell with a width wraps
  EXPECT_EQ(e[4]->row, 1);
  EXPECT_EQ(e[4]->column, 0);
  EXPECT_EQ(e[4]->backgroundColour, static_cast<std::int32_t>(HtmlRgb(0, 0, 0x80)));

  Parsed percent = Parse(u"<table width=50%><td width=50%>x</table>");
  EXPECT_EQ(percent.page.elements[1]->tableWidth, -50);
  EXPECT_EQ(percent.page.elements[1]->cellWidth, 0);
}

TEST(HtmlParserTest, LinksAndImagesAreResolvedAgainstThePage) {
  Parsed parsed = Parse(u"<body background=bg.gif bgcolor=navy><a href=\"sub/x.html\">x</a>"
                        u"<img src=\"../pic.gif\"><img src=\"http://tracker.example/p.gif\">");
  EXPECT_EQ(parsed.page.links.GetRow(0).GetCount(), 1);
  EXPECT_EQ(std::u16string(parsed.page.links.GetRow(0).Get(0)), u"file://C:\\site\\sub\\x.html");
  EXPECT_EQ(parsed.page.backgroundColour, HtmlRgb(0, 0, 0x80));
  ASSERT_EQ(parsed.images.entries.size(), 3u);
  EXPECT_EQ(parsed.page.backgroundImage, 0);
  EXPECT_TRUE(parsed.images.entries[0].backgroundOnly);
  EXPECT_EQ(parsed.images.entries[1].url, u"file://C:\\pic.gif");
  EXPECT_TRUE(parsed.images.entries[1].mayFetch);
  EXPECT_EQ(parsed.images.entries[2].url, u"http://tracker.example/p.gif");
  EXPECT_FALSE(parsed.images.entries[2].mayFetch);  // a recovered page never reaches the network
}

TEST(HtmlParserTest, PlainTextKeepsLinesAndTabsToFiveColumns) {
  Parsed parsed = Parse(u"a\tbcdefg\tc\r\nd", u"file://C:\\notes.txt");
  EXPECT_EQ(Describe(parsed.page.elements), R"("a" "    " "bcdefg" "    " "c" " " | "d")");
  EXPECT_EQ(parsed.page.elements.front()->face, u"Courier New");
}

TEST(HtmlParserTest, TitleAndCountsAreReported) {
  Parsed parsed = Parse(u"<title> A &amp; B </title>x <b>y</b>");
  ASSERT_TRUE(parsed.page.title.has_value());
  EXPECT_EQ(*parsed.page.title, u"A & B");
  EXPECT_EQ(parsed.page.elementCount, 3);
  EXPECT_EQ(parsed.page.deepestNesting, 0);
}

TEST(HtmlParserTest, DamagedPagesStayBounded) {
  std::u16string deep;
  for (int i = 0; i < 1000; ++i) deep += u"<blockquote><pre>";
  deep += u"inside";
  Parsed nested = Parse(deep);
  EXPECT_LT(nested.page.deepestNesting, kMaxHtmlNesting);
  EXPECT_NE(Describe(nested.page.elements).find("inside"), std::string::npos);

  std::u16string headings;
  for (int i = 0; i < 100; ++i) headings += u"<h1>";
  headings += u"<font size=2147483647>x";
  EXPECT_NE(Describe(Parse(headings).page.elements).find(R"("x":h500+b)"), std::string::npos);

  std::u16string tabs(20000, u'\t');
  EXPECT_EQ(Parse(tabs, u"file://C:\\t.txt").page.elements.size(), tabs.size());
}

}  // namespace
}  // namespace preview
