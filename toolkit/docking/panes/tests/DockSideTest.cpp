#include "core/DockSide.h"

#include <gtest/gtest.h>

using namespace kit;
using namespace kit::docking;

namespace {

struct SideCase
{
    const char* name;
    KitRect rect;
    int x;
    int y;
    bool inside;
    bool canFloat;
    std::optional<int> side;
};

class DockSide : public testing::TestWithParam<SideCase>
{
};

TEST_P(DockSide, NearestEdge)
{
    const SideCase& c = GetParam();
    EXPECT_EQ(DockSideNearPoint(c.rect, c.x, c.y, c.inside, c.canFloat), c.side);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DockSide,
    testing::Values(
        // A flat pane 200 x 40: the height over the width is a fraction, not 0,
        // so the right end of the pane docks at the right.
        SideCase{"flat_pane_right_end", {0, 0, 200, 40}, 190, 20, true, false, kSideRight},
        SideCase{"flat_pane_left_end", {0, 0, 200, 40}, 10, 20, true, false, kSideLeft},
        SideCase{"flat_pane_middle_goes_top", {0, 0, 200, 40}, 100, 12, true, false, kSideTop},
        SideCase{"tall_pane_middle_goes_left", {0, 0, 40, 200}, 12, 100, true, false, kSideLeft},
        SideCase{"inside_far_from_edges_floats", {0, 0, 200, 200}, 100, 100, true, true, std::nullopt},
        SideCase{"inside_near_bottom", {0, 0, 200, 200}, 100, 190, true, true, kSideBottom},
        SideCase{"outside_band_right", {0, 0, 200, 200}, 210, 100, false, true, kSideRight},
        SideCase{"outside_beyond_band", {0, 0, 200, 200}, 230, 100, false, true, std::nullopt},
        SideCase{"outside_but_inside_rect", {0, 0, 200, 200}, 100, 100, false, true, std::nullopt},
        SideCase{"empty_rect", {0, 0, 0, 40}, 0, 0, true, false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
