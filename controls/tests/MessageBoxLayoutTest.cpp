// Button sets, captions, default buttons and window arithmetic of the message box.
#include <gtest/gtest.h>

#include "MessageBoxLayout.h"

namespace markup {
namespace {

struct SetCase {
  uint32_t style;
  std::vector<int> ids;
  bool cancelAllowed;
};

class ButtonSetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(ButtonSetTest, GivesTheButtonsInOrder) {
  ButtonSet set = ButtonSetForStyle(GetParam().style);
  EXPECT_EQ(set.ids, GetParam().ids);
  EXPECT_EQ(set.cancelAllowed, GetParam().cancelAllowed);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, ButtonSetTest,
    ::testing::Values(SetCase{0x40, {1}, true}, SetCase{1, {1, 2}, true}, SetCase{2, {3, 4, 5}, false},
                      SetCase{3, {6, 7, 2}, true}, SetCase{3 | 0x18000000, {6, 19, 7, 20, 2}, true},
                      SetCase{0x24, {6, 7}, false}, SetCase{4 | 0x08000000, {6, 19, 7}, false},
                      SetCase{5, {4, 2}, true}, SetCase{6, {2, 4, 11}, true}, SetCase{7, {11, 3}, false},
                      SetCase{8, {14, 15, 2}, true}, SetCase{9, {5, 16, 2}, true}, SetCase{10, {1}, true},
                      SetCase{15, {1}, true}));  // sets without buttons get OK

TEST(DefaultButtonTest, IndexFromStyleBitsWhenBelowTheCount) {
  struct Case {
    uint32_t style;
    size_t count;
    int expected;
  } cases[] = {{0x000, 2, 0}, {0x100, 2, 1}, {0x200, 3, 2}, {0x300, 2, 0}, {0xF00, 5, 0}, {0x100, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(DefaultButtonIndex(c.style, c.count), c.expected) << c.style;
}

TEST(CaptionTest, BuiltInStringIdsAndTexts) {
  EXPECT_EQ(BuiltInCaptionFor(1).stringId, 9001);
  EXPECT_EQ(std::u16string(BuiltInCaptionFor(5).english), u"Ignore");
  EXPECT_EQ(BuiltInCaptionFor(5).stringId, 9003);
  EXPECT_EQ(BuiltInCaptionFor(10).stringId, 9015);
  EXPECT_EQ(std::u16string(BuiltInCaptionFor(31).english), u"More >>");
  EXPECT_EQ(BuiltInCaptionFor(mbbutton::kCountdownFormat).stringId, 9020);
  EXPECT_EQ(BuiltInCaptionFor(23).stringId, 0);
}

TEST(CustomButtonsTest, NonEmptyLinesUpToFour) {
  EXPECT_EQ(ParseCustomButtons(u"Save\r\n\r\nDiscard"), (std::vector<std::u16string>{u"Save", u"Discard"}));
  EXPECT_EQ(ParseCustomButtons(u"a\nb\nc\nd\ne").size(), 4u);
  EXPECT_TRUE(ParseCustomButtons(u"\r\n").empty());
}

TEST(WindowArithmeticTest, SizesAndPlacesTheButtons) {
  EXPECT_EQ(ButtonSizeForText(Size{18, 13}), (Size{32, 23}));
  EXPECT_EQ(ContentWidth(100, 2, 80), 11 + 2 * 91);
  EXPECT_EQ(ContentWidth(400, 2, 80), 400);
  FrameMetrics frame{3, 3, 19};
  EXPECT_EQ(WindowSizeFor(300, 0, 70, 45, frame), (Size{306, 70 + 45 + 19 + 6}));
  Rect client{0, 0, 300, 200};
  EXPECT_EQ(ButtonLefts(client, 2, 80, 2), (std::vector<int>{(300 - 171) / 2, (300 - 171) / 2 + 91}));
  EXPECT_EQ(ButtonLefts(client, 2, 80, 0), (std::vector<int>{11, 102}));
  EXPECT_EQ(ButtonLefts(client, 1, 80, 1), (std::vector<int>{300 - 11 - 80}));
  EXPECT_EQ(ButtonTop(client, 23, false), 200 - 11 - 23);
  EXPECT_EQ(ButtonTop(client, 23, true), 200 - 11 - 24 - 23);
}

TEST(WindowArithmeticTest, LongTextsWrapAtTwoThirdsOfTheWorkArea) {
  EXPECT_EQ(TextWrapWidth(1920, 10), 1260);
  EXPECT_EQ(TextWrapWidth(120, 10), 100);
}

TEST(WindowArithmeticTest, BoxesStayInsideTheWorkArea) {
  const Rect work{0, 0, 1024, 740};
  // Centred over its owner when it fits.
  EXPECT_EQ(PlaceInWorkArea(Size{200, 100}, Rect{100, 100, 500, 400}, work), (Rect{200, 200, 400, 300}));
  // An owner near the edge does not push it out.
  EXPECT_EQ(PlaceInWorkArea(Size{200, 100}, Rect{900, 700, 1000, 740}, work), (Rect{824, 640, 1024, 740}));
  // Huge sizes are cut to the work area instead of landing at -32768.
  EXPECT_EQ(PlaceInWorkArea(Size{14000, 2000000000}, work, work), (Rect{0, 0, 1024, 740}));
  EXPECT_EQ(PlaceInWorkArea(Size{-5, -5}, work, work).Width(), 0);
}

}  // namespace
}  // namespace markup
