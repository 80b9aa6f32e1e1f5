// Value grammar, style sheets and declarations.
#include <gtest/gtest.h>

#include "FakeMarkupCanvas.h"
#include "MarkupDrawer.h"

namespace markup {
namespace {

struct SizeCase {
  const char16_t* text;
  int current;
  bool fontSize;
  int expected;
};

class ParseSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ParseSizeTest, ReadsUnitsPercentsAndHtmlSizes) {
  const SizeCase& c = GetParam();
  testing::FakeMarkupCanvas canvas;
  MarkupFont font;
  font.size = 20;
  canvas.SelectFont(font);
  EXPECT_EQ(ParseSize(c.text, c.current, c.fontSize, &canvas), c.expected) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Units, ParseSizeTest,
    ::testing::Values(SizeCase{u"10pt", 16, true, 13}, SizeCase{u"14pt", 16, true, 18}, SizeCase{u"3", 16, true, 12},
                      SizeCase{u"8", 16, true, 8}, SizeCase{u"+1", 16, true, 8}, SizeCase{u"-2", 16, true, 10},
                      SizeCase{u"3", 16, false, 3}, SizeCase{u"65%", 20, true, 13}, SizeCase{u"12px", 0, false, 12},
                      SizeCase{u"2in", 0, false, 192}, SizeCase{u"1pc", 0, false, 16}, SizeCase{u"2cm", 0, false, 75},
                      SizeCase{u"10mm", 0, false, 37}, SizeCase{u"2em", 0, false, 40}, SizeCase{u"1ex", 0, false, 20},
                      SizeCase{u"0x10", 0, false, 16}, SizeCase{u"010", 0, false, 8}, SizeCase{u"", 7, false, 7},
                      SizeCase{u"12.9px", 0, false, 12}, SizeCase{u"99999999999in", 0, false, limits::kMaxBoxSize}));

TEST(ParseColorTest, HexNumbersAndNamesFollowTheirRules) {
  CMarkupDrawer drawer;
  const Color current = 0x123456;
  EXPECT_EQ(drawer.ParseColor(u"#FF0000", current), 0x0000FFu);
  EXPECT_EQ(drawer.ParseColor(u"#00ff80", current), 0x80FF00u);
  EXPECT_EQ(drawer.ParseColor(u"#F00", current), current);
  EXPECT_EQ(drawer.ParseColor(u"#GG0000", current), current);
  EXPECT_EQ(drawer.ParseColor(u"red", current), 0x0000FFu);
  EXPECT_EQ(drawer.ParseColor(u"Red", current), current);  // names are matched exactly
  EXPECT_EQ(drawer.ParseColor(u"darkseagreen", current), Rgb(143, 188, 139));
  EXPECT_EQ(drawer.ParseColor(u"0x00FF00", current), 0x00FF00u);
  EXPECT_EQ(drawer.ParseColor(u"", current), current);
  drawer.SetDisabledColor(0x808080);
  drawer.SetEnabled(false);
  EXPECT_EQ(drawer.ParseColor(u"red", current), 0x808080u);
}

TEST(KeywordParsersTest, MatchKeywordsAndKeepTheCurrentValueOtherwise) {
  EXPECT_EQ(ParseFontStyle(u"oblique", 0), 1);
  EXPECT_EQ(ParseFontStyle(u"", 1), 0);
  EXPECT_EQ(ParseFontStyle(u"slanted", 1), 1);
  EXPECT_EQ(ParseFontWeight(u"bolder"), 900);
  EXPECT_EQ(ParseFontWeight(u"600"), 600);
  EXPECT_EQ(ParseFontWeight(u"heavy"), 0);
  EXPECT_EQ(ParseHAlign(u"right", 0), 2);
  EXPECT_EQ(ParseHAlign(u"justify", 1), 1);
  EXPECT_EQ(ParseVAlign(u"middle", 0), 1);
  EXPECT_EQ(ParseVAlign(u"", 0), 3);
  EXPECT_EQ(ParseTextTransform(u"capitalize", 0), 3);
  EXPECT_EQ(ParseBorderStyle(u"double", 0), 6);
  EXPECT_EQ(ParseBorderWidth(u"thick", 8, nullptr), 10);
  EXPECT_EQ(ParseBorderWidth(u"thin", 8, nullptr), 6);
  EXPECT_EQ(ParseEffect(u"metal", -1, nullptr), 15);
  EXPECT_EQ(ParseEffect(u"transparent", 3, nullptr), -1);
  EXPECT_EQ(ParseEffect(u"4", -1, nullptr), 4);
}

TEST(TextDecorationTest, WordsSetAndClearTheDecorations) {
  MarkupStyle style;
  ParseTextDecoration(u"underline overline", style);
  EXPECT_TRUE(style.underline && style.overline);
  ParseTextDecoration(u"underline,none", style);
  EXPECT_FALSE(style.underline || style.overline || style.strikeOut);
  ParseFontLetters(u"bi-u+s", style);
  EXPECT_EQ(style.weight, 700);
  EXPECT_TRUE(style.italic && style.strikeOut);
  EXPECT_FALSE(style.underline);
}

TEST(StyleSheetTest, DefaultSheetGivesTheDocumentedSizes) {
  CMarkupDrawer drawer;
  testing::FakeMarkupCanvas canvas;
  drawer.PrepareOutput(canvas, u"x");  // gives the drawer a pass canvas at 96 dpi
  auto sizeOf = [&](const char16_t* selector, int start) {
    MarkupStyle style;
    style.size = start;
    drawer.ApplyStyleRule(selector, style);
    return style.size;
  };
  EXPECT_EQ(sizeOf(u"body", 16), 13);
  EXPECT_EQ(sizeOf(u"h1", 16), 18);
  EXPECT_EQ(sizeOf(u"h6", 20), 13);
  EXPECT_EQ(sizeOf(u"sub", 20), 13);
  EXPECT_EQ(sizeOf(u"BIG", 16), 20);  // selectors are found whatever their case

  MarkupStyle pre;
  drawer.ApplyStyleRule(u"pre", pre);
  EXPECT_EQ(pre.face, u"courier");
  EXPECT_EQ(pre.backgroundMode, 2);
  EXPECT_EQ(pre.backgroundColor, Rgb(0xfb, 0xed, 0xbb));
}

TEST(StyleSheetTest, ClientSheetsReplaceTheDefaultAndSkipMalformedRules) {
  CMarkupDrawer drawer;
  std::u16string sheet = u"TD { color: Red; border-style: dotted}  broken { no close  .x {font-weight:bold}";
  drawer.SetStyleSheet(&sheet);
  MarkupStyle cell;
  drawer.ApplyStyleRule(u"td", cell);
  EXPECT_EQ(cell.textColor, 0x0000FFu);  // declarations are lower-cased before reading
  EXPECT_EQ(cell.borderStyle, 3);
  EXPECT_EQ(cell.borderWidth, 1);
  EXPECT_EQ(drawer.StyleSheet().FindRule(u"body"), nullptr);
  drawer.SetStyleSheet(nullptr);
  EXPECT_NE(drawer.StyleSheet().FindRule(u"body"), nullptr);
}

TEST(DeclarationsTest, BorderWidthZeroSwitchesTheBorderOff) {
  CMarkupDrawer drawer;
  MarkupStyle style;
  drawer.ApplyDeclarations(u"border-style: solid; border-width: 0", style);
  EXPECT_EQ(style.borderStyle, 0);
  EXPECT_EQ(style.borderWidth, 0);
  drawer.ApplyDeclarations(u"margin: 7px; padding: 3px; text-decoration: underline; background-color: transparent", style);
  EXPECT_EQ(style.padding, 7);
  EXPECT_EQ(style.spacing, 3);
  EXPECT_EQ(style.underline, 1);
  EXPECT_EQ(style.backgroundMode, 1);
}

}  // namespace
}  // namespace markup
