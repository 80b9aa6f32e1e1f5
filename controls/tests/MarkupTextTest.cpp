// Entities, line feeds, escaping of plain texts and the tokenizer.
#include <gtest/gtest.h>

#include "FakeMarkupCanvas.h"
#include "MarkupDrawer.h"
#include "MarkupScan.h"

namespace markup {
namespace {

std::u16string DrawnText(const std::u16string& markup, bool newlineMode = true) {
  CMarkupDrawer drawer;
  drawer.SetNewlineMode(newlineMode);
  testing::FakeMarkupCanvas canvas;
  Size size = drawer.PrepareOutput(canvas, markup);
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, size.cx, size.cy});
  std::u16string all;
  for (const testing::DrawnText& piece : canvas.texts) {
    if (!all.empty()) all += u'|';
    all += piece.text;
  }
  return all;
}

struct DrawCase {
  const char16_t* markup;
  const char16_t* drawn;  // pieces drawn, "|" between them
};

class DrawnTextTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawnTextTest, ShowsTheExpectedPieces) { EXPECT_EQ(DrawnText(GetParam().markup), GetParam().drawn); }

INSTANTIATE_TEST_SUITE_P(
    Entities, DrawnTextTest,
    ::testing::Values(DrawCase{u"&amp;lt;", u"<"},  // "&amp;" goes first, then "&lt;"
                      DrawCase{u"&lt;b&gt;", u"<|b>"}, DrawCase{u"a &copy; b&euro;", u"a \u00A9 b\u20AC"},
                      DrawCase{u"&unknown;", u"&unknown;"}, DrawCase{u"a<<b", u"a<|b"},
                      DrawCase{u"x<unknown>y", u"x|y"}, DrawCase{u"x<y", u"x"}  /* "y</body" reads as one unknown tag */,
                      DrawCase{u"line one\r\nline two", u"line one|line two"}));

TEST(NewlineModeTest, OffRunsLinesTogether) {
  EXPECT_EQ(DrawnText(u"one\ntwo", false), u"onetwo");
  EXPECT_EQ(DrawnText(u"one\ttwo", false), u"onetwo");
}

TEST(EscapeMarkupTest, PlainTextsShowExactlyAsGiven) {
  const char16_t* names[] = {u"<b>.txt",         u"&amp;lt;.doc", u"Tom & Jerry &copy;", u"C:\\a<<b>\\&lt;x&gt;",
                             u"<table><tr><td>", u"100% &nbsp;",  u"a&&amp;b"};
  for (const char16_t* name : names) {
    std::u16string shown = DrawnText(EscapeMarkup(name));
    std::erase(shown, u'|');
    EXPECT_EQ(shown, name);
  }
}

TEST(PrepareOutputTest, EmptyTextAndUnknownTagSizes) {
  CMarkupDrawer drawer;
  testing::FakeMarkupCanvas canvas;
  EXPECT_EQ(drawer.PrepareOutput(canvas, u""), (Size{0, 0}));
  EXPECT_EQ(drawer.PrepareOutput(canvas, u"<nothing>"), (Size{1, 1}));
  drawer.DrawPreparedOutput(canvas, Rect{0, 0, 100, 100});
  EXPECT_TRUE(canvas.texts.empty());
}

TEST(TokenizerTest, AttributesTakeQuotedAndBareValues) {
  std::u16string params;
  EXPECT_EQ(SplitTag(u"font  face='Courier New' size=3 bold", params), u"font");
  EXPECT_EQ(params, u"face='Courier New' size=3 bold");
  size_t pos = 0;
  std::u16string name;
  EXPECT_EQ(NextAttribute(params, pos, name), u"Courier New");
  EXPECT_EQ(name, u"face");
  EXPECT_EQ(NextAttribute(params, pos, name), u"3");
  EXPECT_EQ(name, u"size");
  EXPECT_EQ(NextAttribute(params, pos, name), u"");
  EXPECT_EQ(name, u"bold");
  EXPECT_EQ(SplitTag(u"br=2", params), u"br");
  EXPECT_EQ(params, u"=2");
}

TEST(TableScanTest, FindsTheMatchingEndsOverNestedTables) {
  std::u16string_view text = u"<table><tr><td><table><tr><td>x</td></tr></table></td></tr></table>tail";
  EXPECT_EQ(FindTableEnd(text, 0), text.find(u"</table>tail"));
  EXPECT_EQ(FindRowEnd(text, 7), text.find(u"</tr></table>tail"));
  EXPECT_EQ(FindCellEnd(text, 11), text.find(u"</td></tr></table>tail"));
  size_t pos = 0;
  EXPECT_FALSE(FindMarkupTag(u"a<<table", u"table", pos));  // "<<" is an escaped "<"
  EXPECT_EQ(FindTableEnd(u"<table><tr>", 0), 11u);
}

}  // namespace
}  // namespace markup
