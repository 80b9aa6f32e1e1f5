#include "core/PopupPlacement.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace kit::commandbars;

namespace {

constexpr LayoutRect kScreen{0, 0, 1024, 768};

struct PlacementCase
{
    const char* name;
    LayoutSize size;
    LayoutPoint anchor;
    LayoutRect exclude;
    unsigned flags;
    LayoutRect expected;
    unsigned expectedFlags;
    bool cut;
};

// A menu-bar title at (100, 0, 160, 20) drops its popup from (100, 20).
const PlacementCase kCases[] = {
    {"drop-down fits below its title", {150, 200}, {100, 20}, {100, 0, 160, 20}, kPopupDropDown,
     {100, 20, 250, 220}, kPopupDropDown, false},
    {"context menu at the right edge extends left of the point", {150, 200}, {1024, 300}, {}, 0,
     {874, 300, 1024, 500}, 0, false},
    {"context menu near the right edge stays flush with it", {150, 200}, {1000, 300}, {}, 0,
     {874, 300, 1024, 500}, 0, false},
    {"drop-down near the bottom opens upwards", {150, 200}, {100, 700}, {100, 680, 160, 700}, kPopupDropDown,
     {100, 480, 250, 680}, kPopupDropDown, false},
    {"too tall for either side takes the larger one and is cut", {150, 900}, {100, 320}, {100, 300, 160, 320},
     kPopupDropDown, {100, 320, 250, 763}, kPopupDropDown, true},
    {"too tall above the middle: cut above", {150, 900}, {100, 520}, {100, 500, 160, 520}, kPopupDropDown,
     {100, 0, 250, 500}, kPopupDropDown, true},
    {"submenu at the right edge flips to the left of its item", {150, 100}, {980, 50}, {900, 50, 980, 70}, 0,
     {750, 50, 900, 150}, kPopupExtendLeft, false},
    {"popup taller than the screen at a point is cut to the work area", {150, 2000}, {10, 10}, {}, 0,
     {10, 0, 160, 763}, 0, true},
    {"right-aligned drop-down lines up with the control's right edge", {150, 100}, {300, 20}, {300, 0, 360, 20},
     kPopupExtendLeft | kPopupDropDown, {210, 20, 360, 120}, kPopupExtendLeft | kPopupDropDown, false},
    {"extending left past the screen's left edge turns right", {150, 100}, {20, 50}, {20, 50, 100, 70},
     kPopupExtendLeft, {100, 50, 250, 150}, 0, false},
};

class PopupPlacementTable : public testing::TestWithParam<PlacementCase>
{
};

}  // namespace

TEST_P(PopupPlacementTable, PlacesInsideTheWorkArea)
{
    const PlacementCase& c = GetParam();
    PopupPlacementRequest request;
    request.size = c.size;
    request.anchor = c.anchor;
    request.exclude = c.exclude;
    request.flags = c.flags;
    request.workArea = kScreen;
    const PopupPlacement placement = PlacePopup(request);
    EXPECT_EQ(placement.rect, c.expected) << c.name << ": got " << placement.rect.left << ',' << placement.rect.top
                                          << ',' << placement.rect.right << ',' << placement.rect.bottom;
    EXPECT_EQ(placement.flags, c.expectedFlags) << c.name;
    EXPECT_EQ(placement.cut, c.cut) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PopupPlacementTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlacementCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(PopupPlacement, MonitorLeftOfThePrimaryKeepsPopupsOnIt)
{
    PopupPlacementRequest request;
    request.size = {150, 100};
    request.anchor = {-1000, 50};
    request.flags = kPopupExtendLeft;
    request.workArea = {-1280, 0, 0, 1024};
    const PopupPlacement placement = PlacePopup(request);
    EXPECT_EQ(placement.rect.left, -1150);
    request.anchor = {-1270, 50};
    EXPECT_EQ(PlacePopup(request).rect.left, -1280) << "the monitor's own left edge, not 0";
}
