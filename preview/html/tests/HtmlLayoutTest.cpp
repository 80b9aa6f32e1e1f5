#include <gtest/gtest.h>

#include <string>

#include "CBrowserDocument.h"
#include "HtmlParserFakes.h"
#include "HtmlRendererFakes.h"

namespace preview {
namespace {

// Every character is 7 pixels wide and 15 high (the fake measurer at height 15).
struct LaidOut {
  explicit LaidOut(std::u16string_view html, int width = 402) : document(&host, measurer, decoder, true) {
    host.images[u"file://C:\\site\\a.gif"] = "30x20";
    document.Load(html, u"Arial", 15, 0, u"file://C:\\site\\page.html", PageOrigin::RecoveredFile);
    area = LayoutArea{0, 0, width, 300};
    document.Layout(area);
  }
  const BrowserElementList& Top() const { return document.Elements(); }
  // The first text run with this text, at any depth.
  const BrowserElement& Run(std::u16string_view text) const {
    const BrowserElement* found = Find(Top(), text);
    EXPECT_NE(found, nullptr) << FakeBrowserHost::Narrow(text);
    static BrowserElement none;
    return found != nullptr ? *found : none;
  }
  static const BrowserElement* Find(const BrowserElementList& list, std::u16string_view text) {
    for (const auto& e : list) {
      if (e->kind == kElementText && e->text == text) return e.get();
      if (const BrowserElement* inner = Find(e->children, text)) return inner;
    }
    return nullptr;
  }

  FakeBrowserHost host;
  FakeTextMeasurer measurer;
  FakeImageDecoder decoder;
  CBrowserDocument document;
  LayoutArea area;
};

int Right(const BrowserElement& e) { return e.x + e.width; }

TEST(HtmlLayoutTest, OneWordPageHasTheWordsExtent) {
  LaidOut page(u"hello");
  EXPECT_EQ(page.area.width, 35);
  EXPECT_EQ(page.area.height, 15);
}

TEST(HtmlLayoutTest, LinesWrapAlignAndJustify) {
  LaidOut wrapped(u"aaaa bbbb cccc", 72);  // 70 wide: two words to a line
  EXPECT_EQ(wrapped.Run(u"cccc").x, 0);
  EXPECT_EQ(wrapped.Run(u"cccc").y, 15);

  LaidOut right(u"<div align=right>aa bb </div>");
  EXPECT_EQ(Right(right.Run(u"bb")), 400);  // the trailing space does not move it

  LaidOut centred(u"<center>abcd</center>");
  EXPECT_EQ(centred.Run(u"abcd").x, (400 - 28) / 2);

  LaidOut justified(u"<p align=justify>aa bb cc dd ee ff gg hh ii<br>jj kk ll</p>", 102);
  const BrowserElement& lineEnd = justified.Run(u"ee");
  EXPECT_EQ(lineEnd.y, justified.Run(u"aa").y);
  EXPECT_EQ(Right(lineEnd), 100);                     // a full line is stretched to the edge
  EXPECT_EQ(justified.Run(u"kk").x, 21);              // the line ended by a break is not
  LaidOut twoWords(u"<p align=justify>aa bb</p>", 102);
  EXPECT_EQ(twoWords.Run(u"bb").x, 21);
}

TEST(HtmlLayoutTest, WordsOfDifferentSizesShareTheirBottom) {
  LaidOut page(u"a<font size=7>B</font>");
  EXPECT_EQ(page.Run(u"a").y + 15, page.Run(u"B").y + page.Run(u"B").height);
}

TEST(HtmlLayoutTest, TablesTakePreferredWidthsAndOverflowRatherThanSplitWords) {
  LaidOut wide(u"<table cellspacing=0 cellpadding=0><tr><td>aa bb<td>cc</table>");
  EXPECT_EQ(wide.Run(u"bb").y, wide.Run(u"aa").y);  // preferred: one line
  EXPECT_EQ(wide.Run(u"cc").x, 35);
  EXPECT_EQ(wide.Top()[0]->width, 49);            // the frame

  LaidOut narrow(u"<table cellspacing=0 cellpadding=0><tr><td>aa bb<td>cc</table>", 12);
  EXPECT_GT(narrow.Run(u"bb").y, narrow.Run(u"aa").y);
  EXPECT_EQ(narrow.Run(u"cc").x, 14);
  EXPECT_EQ(narrow.area.width, 28);                 // wider than the area

  LaidOut full(u"<table width=100% cellspacing=2 cellpadding=1 border=1><tr><td>a<td>b</table>");
  EXPECT_EQ(full.Top()[0]->width, 400);
  EXPECT_EQ(full.Top()[0]->edgeWidth, 1);
}

TEST(HtmlLayoutTest, RowSpansPushLaterRowsAndCellsAlignVertically) {
  LaidOut spans(u"<table><tr><td rowspan=2>a<td>b<tr><td>c</table>");
  EXPECT_EQ(spans.Run(u"c").x, spans.Run(u"b").x);
  EXPECT_GT(spans.Run(u"c").y, spans.Run(u"b").y);

  LaidOut bottom(u"<table cellpadding=0 cellspacing=0><tr><td height=100 valign=bottom>a<td>b</table>");
  EXPECT_EQ(bottom.Run(u"a").y, 85);
  EXPECT_EQ(bottom.Run(u"b").y, 0);
}

TEST(HtmlLayoutTest, FloatsIndentTheLinesBesideThemUntilPassedOrCleared) {
  LaidOut floating(u"<img src=a.gif align=left width=60>aa bb<br>cc<br>dd<br>ee<br clear=all>ff", 402);
  // The image is 60 by 40 in a box of padding 4: 68 by 48 with the table's spacing.
  const BrowserElement& first = floating.Run(u"aa");
  EXPECT_GE(first.x, 68);
  EXPECT_EQ(floating.Run(u"cc").x, first.x);
  EXPECT_EQ(floating.Run(u"ff").x, 0);
  EXPECT_GE(floating.Run(u"ff").y, 48);

  LaidOut passed(u"<img src=a.gif align=right width=60>aa<br>bb<br>cc<br>dd<br>ee", 402);
  EXPECT_LE(Right(passed.Run(u"aa")), 400);
  EXPECT_EQ(passed.Run(u"ee").x, 0);
}

TEST(HtmlLayoutTest, ARuleSpansTheLine) {
  LaidOut page(u"<p>text<hr>more");
  const BrowserElement* rule = nullptr;
  for (const auto& e : page.Top())
    if (e->kind == kElementBreak && e->height == 2) rule = e.get();
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->width, 400);
  EXPECT_GT(rule->y, page.Run(u"text").y);
  EXPECT_LT(rule->y, page.Run(u"more").y);
}

TEST(HtmlLayoutTest, ImagesTakeTheirSizeOrTheAspectOfIt) {
  LaidOut page(u"<img src=a.gif><img src=a.gif width=60><img src=missing.gif><img src=\"http://x.example/t.gif\">");
  ASSERT_EQ(page.Top().size(), 4u);
  EXPECT_EQ(page.Top()[0]->width, 30);
  EXPECT_EQ(page.Top()[0]->height, 20);
  EXPECT_EQ(page.Top()[1]->height, 40);
  EXPECT_EQ(page.Top()[2]->width, kPlaceholderWidth);
  EXPECT_EQ(page.Top()[3]->height, kPlaceholderHeight);
}

TEST(HtmlLayoutTest, HostilePagesLayOutInBoundedTime) {
  std::u16string nested;
  for (int i = 0; i < 200; ++i) nested += u"<table><tr><td>x<td>";
  LaidOut deep(nested);
  EXPECT_GT(deep.area.width, 0);

  LaidOut huge(u"<table width=2147483647 height=2147483647 cellpadding=99999999 cellspacing=-5 border=2147483647>"
               u"<tr><td colspan=1000 rowspan=1000 width=2147483647>a<td width=-9>b</table>");
  EXPECT_LE(huge.area.width, kMaxTableColumns * 3 * kMaxLayoutPixels);

  std::u16string manyColumns = u"<table><tr>";
  for (int i = 0; i < 2000; ++i) manyColumns += u"<td colspan=1000>c";
  LaidOut columns(manyColumns + u"</table>");
  EXPECT_GT(columns.area.width, 0);
}

}  // namespace
}  // namespace preview
