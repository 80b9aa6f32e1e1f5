#include "core/PlacementRecord.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {

const std::vector<PlacementRect> kOneScreen = {{0, 0, 1024, 768}};

PlacementFields Placement(PlacementRect normal, std::uint32_t show = kShowNormal)
{
    PlacementFields f;
    f.showCommand = show;
    f.normal = normal;
    return f;
}

} // namespace

TEST(PlacementRecord, StoredFormRoundTrips)
{
    PlacementFields f = Placement({10, 20, 410, 320}, kShowMaximized);
    f.flags = 2;
    f.minX = -32000;
    f.maxY = -4;
    const auto bytes = EncodePlacement(f);
    EXPECT_EQ(bytes[0] | bytes[1] | bytes[2] | bytes[3], 0); // reserved word
    EXPECT_EQ(bytes[4], 44);
    const auto back = DecodePlacement(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->showCommand, kShowMaximized);
    EXPECT_EQ(back->flags, 2u);
    EXPECT_EQ(back->minX, -32000);
    EXPECT_EQ(back->maxY, -4);
    EXPECT_EQ(back->normal, (PlacementRect{10, 20, 410, 320}));
}

TEST(PlacementRecord, OnlyExactly48BytesLoad)
{
    const auto bytes = EncodePlacement(Placement({0, 0, 100, 100}));
    EXPECT_FALSE(DecodePlacement(bytes.data(), 44));
    EXPECT_FALSE(DecodePlacement(bytes.data(), 47));
    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    EXPECT_FALSE(DecodePlacement(longer.data(), longer.size()));
    EXPECT_FALSE(DecodePlacement(nullptr, 48));
}

TEST(PlacementRecord, LengthIs44WhateverWasStored)
{
    auto bytes = EncodePlacement(Placement({0, 0, 100, 100}));
    bytes[4] = 0xFF;
    EXPECT_EQ(DecodePlacement(bytes.data(), bytes.size())->length, 44u);
}

TEST(PlacementRecord, MinimisedIsStoredAsNormal)
{
    EXPECT_EQ(ShowCommandToStore(kShowMinimized), kShowNormal);
    EXPECT_EQ(ShowCommandToStore(kShowMaximized), kShowMaximized);
    EXPECT_EQ(ShowCommandToStore(kShowNormal), kShowNormal);
}

TEST(PlacementRecord, ClampKeepsAPlacementThatFits)
{
    const auto safe = ClampPlacement(Placement({100, 50, 600, 450}), kOneScreen);
    ASSERT_TRUE(safe);
    EXPECT_EQ(safe->normal, (PlacementRect{100, 50, 600, 450}));
    EXPECT_EQ(safe->showCommand, kShowNormal);
}

TEST(PlacementRecord, ClampBringsOffScreenPlacementsBack)
{
    struct Case
    {
        PlacementRect stored;
        PlacementRect expected;
    };
    const Case cases[] = {
        {{5000, 4000, 5400, 4300}, {624, 468, 1024, 768}},     // far right and below
        {{-3000, -900, -2600, -600}, {0, 0, 400, 300}},        // far left and above
        {{900, 100, 1300, 400}, {624, 100, 1024, 400}},        // half across the edge
        {{-100, -100, 3000, 2000}, {0, 0, 1024, 768}},         // larger than the screen
        {{2147483000, 0, 2147483600, 300}, {424, 0, 1024, 300}},
    };
    for (const Case& c : cases)
    {
        const auto safe = ClampPlacement(Placement(c.stored), kOneScreen);
        ASSERT_TRUE(safe);
        EXPECT_EQ(safe->normal, c.expected) << c.stored.left << "," << c.stored.top;
    }
}

TEST(PlacementRecord, ClampPicksTheMonitorItOverlapsMost)
{
    const std::vector<PlacementRect> two = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    const auto safe = ClampPlacement(Placement({1900, 100, 2300, 400}), two);
    ASSERT_TRUE(safe);
    EXPECT_EQ(safe->normal, (PlacementRect{1648, 100, 2048, 400}));
}

TEST(PlacementRecord, ClampRefusesEmptySizesAndNeverMinimises)
{
    EXPECT_FALSE(ClampPlacement(Placement({100, 100, 100, 400}), kOneScreen));
    EXPECT_FALSE(ClampPlacement(Placement({100, 100, 400, 50}), kOneScreen));
    EXPECT_FALSE(ClampPlacement(Placement({100, 100, 400, 400}), {}));
    for (std::uint32_t show : {kShowMinimized, kMinimize, kShowMinNoActive, kForceMinimize, 0u, 99u})
        EXPECT_EQ(ClampPlacement(Placement({0, 0, 100, 100}, show), kOneScreen)->showCommand, kShowNormal);
    EXPECT_EQ(ClampPlacement(Placement({0, 0, 100, 100}, kShowMaximized), kOneScreen)->showCommand, kShowMaximized);
}
