// Line breaking, tabs, alignment, rules, images and links of plain runs.
#include <gtest/gtest.h>

#include "FakeMarkupCanvas.h"
#include "MarkupDrawer.h"

namespace markup {
namespace {

using testing::FakeMarkupCanvas;

// The default sheet's body is 10pt: 13 pixels high, ascent 10, descent 3.
constexpr int kLine = 13;

struct Laid {
  Size size;
  std::vector<testing::DrawnText> texts;
};

Laid Layout(const std::u16string& markup, int maximumWidth = 0, int drawWidth = 0) {
  CMarkupDrawer drawer;
  drawer.SetMaximumWidth(maximumWidth);
  FakeMarkupCanvas canvas;
  Laid laid;
  laid.size = drawer.PrepareOutput(canvas, markup);
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, drawWidth ? drawWidth : laid.size.cx, laid.size.cy});
  laid.texts = canvas.texts;
  return laid;
}

struct PlacementCase {
  const char16_t* markup;
  const char16_t* piece;
  int x, y;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, PutsThePieceWhereExpected) {
  const PlacementCase& c = GetParam();
  Laid laid = Layout(c.markup);
  auto found = std::find_if(laid.texts.begin(), laid.texts.end(), [&](auto& t) { return t.text == c.piece; });
  ASSERT_NE(found, laid.texts.end());
  EXPECT_EQ(found->x, c.x);
  EXPECT_EQ(found->y, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    TabsAndBreaks, PlacementTest,
    ::testing::Values(PlacementCase{u"a<t>b", u"b", 32, 0},          // a tab at 10 moves to 32
                      PlacementCase{u"a<t=2>b", u"b", 64, 0},        // twice: 32, then 64
                      PlacementCase{u"abc\tb", u"b", 32, 0},         // a tab character in newline mode
                      PlacementCase{u"<t>b", u"b", 32, 0},           // at 0 a tab moves a whole stop
                      PlacementCase{u"a<br=2>b", u"b", 0, 2 * kLine},
                      PlacementCase{u"a<br><br>b", u"b", 0, 2 * kLine},
                      PlacementCase{u"a</br>b", u"b", 0, kLine},     // the closing form breaks too
                      PlacementCase{u"a\r\nb", u"b", 0, kLine}));

TEST(RunLayoutTest, BoldLetterStaysOnOneLineAndNestedBoldCaps) {
  CMarkupDrawer drawer;
  FakeMarkupCanvas canvas;
  Size size = drawer.PrepareOutput(canvas, u"a<b>b<b>c</b></b>d");
  EXPECT_EQ(size, (Size{4 * 10 + 1, kLine + 1}));
  std::vector<int> weights;
  for (const MarkupFont& font : canvas.fonts) weights.push_back(font.weight);
  EXPECT_NE(std::find(weights.begin(), weights.end(), 800), weights.end());
  EXPECT_NE(std::find(weights.begin(), weights.end(), 900), weights.end());
  EXPECT_EQ(canvas.font.weight, 400);
}

TEST(RunLayoutTest, BreakAtTheEndAddsNoLine) {
  EXPECT_EQ(Layout(u"a<br>").size.cy, kLine + 1);
  EXPECT_EQ(Layout(u"a<br><br>b").size.cy, 3 * kLine + 1);
}

TEST(RunLayoutTest, MismatchedClosingTagLeavesTheElementOpen) {
  Laid laid = Layout(u"<i>a</b>b</i>c");
  ASSERT_EQ(laid.texts.size(), 3u);
  EXPECT_TRUE(laid.texts[1].font.italic);
  EXPECT_FALSE(laid.texts[2].font.italic);
}

TEST(RunLayoutTest, WrapsAtBreakCharactersWithinTheMaximumWidth) {
  Laid laid = Layout(u"aaaa bbbb cccc", 95);
  ASSERT_EQ(laid.texts.size(), 2u);
  EXPECT_EQ(laid.texts[0].text, u"aaaa bbbb");
  EXPECT_EQ(laid.texts[1].text, u"cccc");
  EXPECT_EQ(laid.texts[1].y, kLine);
  // A word longer than the width is cut where it stops fitting.
  Laid cut = Layout(u"abcdefghij", 45);
  ASSERT_EQ(cut.texts.size(), 3u);
  EXPECT_EQ(cut.texts[0].text, u"abcd");
}

TEST(RunLayoutTest, AlignmentAndCapitalize) {
  Laid centered = Layout(u"<center>ab</center><br>abcdef");
  EXPECT_EQ(centered.texts[0].x, 20);
  Laid right = Layout(u"<right>ab</right><br>abcdef");
  EXPECT_EQ(right.texts[0].x, 41 - 0);  // the run is 60 wide, drawn in 61
  CMarkupDrawer drawer;
  std::u16string sheet = u".cap {text-transform: capitalize}";
  drawer.SetStyleSheet(&sheet);
  FakeMarkupCanvas canvas;
  Size size = drawer.PrepareOutput(canvas, u"<span class=cap>two words<b>more</b></span>");
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, size.cx, size.cy});
  EXPECT_EQ(canvas.texts[0].text, u"Two Words");
  EXPECT_EQ(canvas.texts[1].text, u"More");  // a chunk after a tag starts a word
}

TEST(RunLayoutTest, JustifiedWrappedLinesSpreadTheirBlanks) {
  CMarkupDrawer drawer;
  drawer.SetMaximumWidth(100);
  FakeMarkupCanvas canvas;
  Size size = drawer.PrepareOutput(canvas, u"<justify>aa bb cc dd ee ff gg</justify>");
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, 100, size.cy});
  ASSERT_GE(canvas.texts.size(), 2u);
  // "aa bb cc" is 80 wide: the 20 extra pixels go into its two blanks.
  EXPECT_EQ(canvas.texts[0].text, u"aa bb cc");
  EXPECT_EQ(drawer.LineRecords()[0].wrapped, 1);
  EXPECT_EQ(drawer.LineRecords()[0].blanks, 2);
}

TEST(RunLayoutTest, PercentRulesCountAgainstTheWidestLine) {
  EXPECT_EQ(Layout(u"abcd<br><hr>").size.cx, 40 + 1 + 1);
  EXPECT_EQ(Layout(u"abcd<br><hr width=50%>").size.cx, 40 + 1);
  CMarkupDrawer drawer;
  FakeMarkupCanvas canvas;
  drawer.PrepareOutput(canvas, u"abcd<br><hr width=50% size=3 color=red>");
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, 200, 100});
  ASSERT_EQ(canvas.lines.size(), 1u);
  EXPECT_EQ(canvas.lines[0].x2 - canvas.lines[0].x1, 100);
  EXPECT_EQ(canvas.lines[0].width, 3);
  EXPECT_EQ(canvas.lines[0].color, 0x0000FFu);
}

TEST(RunLayoutTest, ImagesTakeTheirSpaceAndStripsCountFrames) {
  Laid bitmap = Layout(u"<bmp handle=0x10 width=200%>x");
  EXPECT_EQ(bitmap.texts[0].x, 32);
  CMarkupDrawer drawer;
  FakeMarkupCanvas canvas;
  Size size = drawer.PrepareOutput(canvas, u"<ilst handle=0x160 index=9><ilst handle=0x160 index=10><icon handle=5 width=200%>");
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, size.cx, size.cy});
  ASSERT_EQ(canvas.images.size(), 2u);  // index 10 of a 10-frame strip shows nothing
  EXPECT_EQ(canvas.images[0].width, 16);
  EXPECT_EQ(canvas.iconRequests.back(), (Size{64, 32}));  // twice the system icon width
}

class RecordingSink : public MarkupLinkSink {
 public:
  void OnHotLinkChanged(int number) override { hover.push_back(number); }
  void OnLinkMessage(const std::u16string& target) override { messages.push_back(target); }
  void OpenUrl(const std::u16string& target) override { urls.push_back(target); }
  bool ShowLinkCursor() override { return true; }
  std::vector<int> hover;
  std::vector<std::u16string> messages, urls;
};

TEST(LinkTest, HotAreasAreRecordedOncePerPaintAndHitOnTheirEdges) {
  CMarkupDrawer drawer;
  RecordingSink sink;
  drawer.SetLinkSink(&sink);
  FakeMarkupCanvas canvas;
  Size size = drawer.PrepareOutput(canvas, u"<a href=\"http://x\">ab</a> <a msg=stop>cd</a>");
  for (int paint = 0; paint < 3; ++paint) drawer.DrawPreparedOutput(canvas, Rect{0, 0, size.cx, size.cy});
  ASSERT_EQ(drawer.HotAreas().size(), 2u);  // repeated paints do not pile up areas
  const MarkupHotArea& first = drawer.HotAreas()[0];
  EXPECT_EQ(first.kind, 1);
  EXPECT_EQ(first.linkNumber, 0);
  EXPECT_EQ(drawer.HitTest(Point{first.right, first.bottom}), 0);
  EXPECT_EQ(drawer.HotAreas()[1].kind, 2);

  EXPECT_TRUE(drawer.OnMouseOver(Point{1, 1}));
  EXPECT_TRUE(drawer.OnMouseOver(Point{2, 2}));
  EXPECT_TRUE(drawer.OnMouseOver(Point{drawer.HotAreas()[1].left + 1, 1}));
  EXPECT_FALSE(drawer.OnMouseOver(Point{500, 500}));
  EXPECT_FALSE(drawer.OnMouseOver(Point{501, 500}));
  EXPECT_EQ(sink.hover, (std::vector<int>{0, 1, -2}));

  drawer.OnClick(Point{1, 1});
  drawer.OnClick(Point{drawer.HotAreas()[1].left + 1, 1});
  EXPECT_EQ(sink.urls, (std::vector<std::u16string>{u"http://x"}));
  EXPECT_EQ(sink.messages, (std::vector<std::u16string>{u"stop"}));
}

TEST(ClampTest, HostileCountsAndSizesStayBounded) {
  EXPECT_EQ(Layout(u"a<br=99999999>b").size.cy, (limits::kMaxRepeat + 1) * kLine + 1);
  Laid huge = Layout(u"<font size=99999999>x</font>");
  EXPECT_LE(huge.size.cy, limits::kMaxFontSize + 1);
  Laid deep = Layout(std::u16string(5000, u'<') + u"b>" + u"x");
  EXPECT_GT(deep.size.cx, 0);
  std::u16string bold;
  for (int i = 0; i < 2000; ++i) bold += u"<b>";
  EXPECT_EQ(Layout(bold + u"x").texts.size(), 1u);
}

TEST(RunLayoutTest, AVeryLongWordIsCutLineByLineWithoutRemeasuringTheRest) {
  // 200,000 letters in 100-pixel lines: 20,000 lines of ten letters. Laying
  // it out measures each line's letters a bounded number of times.
  const std::u16string word(200000, u'w');
  CMarkupDrawer drawer;
  drawer.SetMaximumWidth(100);
  FakeMarkupCanvas canvas;
  const Size size = drawer.PrepareOutput(canvas, word);
  EXPECT_LE(size.cx, 101);
  EXPECT_EQ(size.cy, 20000 * kLine + 1);  // PrepareOutput adds a pixel
  EXPECT_LT(canvas.measuredCharacters, 200LL * static_cast<long long>(word.size()));
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, 100, size.cy});
  ASSERT_EQ(canvas.texts.size(), 20000u);
  EXPECT_EQ(canvas.texts.back().text, u"wwwwwwwwww");
}

TEST(RunLayoutTest, ManyWordsWrapWithWorkInProportionToTheText) {
  std::u16string words;
  for (int i = 0; i < 20000; ++i) words += u"word ";
  CMarkupDrawer drawer;
  drawer.SetMaximumWidth(200);
  FakeMarkupCanvas canvas;
  drawer.PrepareOutput(canvas, words);
  EXPECT_LT(canvas.measuredCharacters, 200LL * static_cast<long long>(words.size()));
}

}  // namespace
}  // namespace markup
