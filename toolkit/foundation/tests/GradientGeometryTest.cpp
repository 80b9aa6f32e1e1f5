#include "core/GradientGeometry.h"

#include <gtest/gtest.h>

using kit::ColorRef;
using kit::KitRect;
using kit::MakeColor;

namespace {
const ColorRef kRed = MakeColor(255, 0, 0);
const ColorRef kBlue = MakeColor(0, 0, 255);
}  // namespace

TEST(GradientGeometryTest, WithoutClipTheWholeFill)
{
    const auto span = kit::ClipGradient({0, 0, 100, 20}, kRed, kBlue, true, nullptr);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->rect, (KitRect{0, 0, 100, 20}));
    EXPECT_EQ(span->from, kRed);
    EXPECT_EQ(span->to, kBlue);
}

TEST(GradientGeometryTest, ClipOutsideAlongTheFillDrawsNothing)
{
    const KitRect left{-50, 0, 0, 20};
    const KitRect right{100, 0, 150, 20};
    EXPECT_FALSE(kit::ClipGradient({0, 0, 100, 20}, kRed, kBlue, true, &left));
    EXPECT_FALSE(kit::ClipGradient({0, 0, 100, 20}, kRed, kBlue, true, &right));
    const KitRect below{0, 20, 100, 40};
    EXPECT_FALSE(kit::ClipGradient({0, 0, 100, 20}, kRed, kBlue, false, &below));
}

TEST(GradientGeometryTest, ClipInsideGetsTheColoursOfTheWholeFillAtItsEdges)
{
    const KitRect clip{25, 5, 75, 10};
    const auto span = kit::ClipGradient({0, 0, 100, 20}, kRed, kBlue, true, &clip);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->rect, (KitRect{25, 5, 75, 10}));
    EXPECT_EQ(span->from, kit::BlendColorsFraction(kRed, kBlue, 0.75f));
    EXPECT_EQ(span->to, kit::BlendColorsFraction(kRed, kBlue, 0.25f));

    const KitRect vertical{-10, 50, 30, 200};
    const auto down = kit::ClipGradient({0, 0, 20, 100}, kRed, kBlue, false, &vertical);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->rect, (KitRect{0, 50, 20, 100}));
    EXPECT_EQ(down->from, kit::BlendColorsFraction(kRed, kBlue, 0.5f));
    EXPECT_EQ(down->to, kBlue);
}

TEST(GradientGeometryTest, FactorOneHalfIsOneFill)
{
    const auto parts = kit::SplitStyleGradient({0, 0, 100, 10}, CStyleGradient(kRed, kBlue), true);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].from, kRed);
    EXPECT_EQ(parts[0].to, kBlue);
}

TEST(GradientGeometryTest, OtherFactorsSplitAtTheMiddleColour)
{
    const auto parts = kit::SplitStyleGradient({0, 0, 100, 10}, CStyleGradient(kRed, kBlue, 0.75f), true);
    ASSERT_EQ(parts.size(), 2u);
    const ColorRef middle = kit::BlendColorsFraction(kRed, kBlue, 0.75f);
    EXPECT_EQ(parts[0].rect, (KitRect{0, 0, 50, 10}));
    EXPECT_EQ(parts[0].from, kRed);
    EXPECT_EQ(parts[0].to, middle);
    EXPECT_EQ(parts[1].rect, (KitRect{50, 0, 100, 10}));
    EXPECT_EQ(parts[1].from, middle);
    EXPECT_EQ(parts[1].to, kBlue);
    // An odd height splits below the middle: bottom - (height / 2).
    const auto rows = kit::SplitStyleGradient({0, 0, 10, 11}, CStyleGradient(kRed, kBlue, 0.3f), false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rect.bottom, 6);
    EXPECT_EQ(rows[1].rect.top, 6);
}

TEST(GradientGeometryTest, StripColoursRunFromAToB)
{
    EXPECT_EQ(kit::StripColorAt(0, 0, 100, kRed, kBlue), kRed);
    EXPECT_EQ(kit::StripColorAt(50, 0, 100, kRed, kBlue), kit::BlendColorsFraction(kRed, kBlue, 0.5f));
    EXPECT_EQ(kit::StripColorAt(99, 0, 100, kRed, kBlue), MakeColor(2, 0, 252));
    // A zero-width fill does not divide by zero.
    EXPECT_EQ(kit::StripColorAt(5, 5, 5, kRed, kBlue), kRed);
}

TEST(GradientGeometryTest, StyleColourOverride)
{
    CStyleColor color;
    EXPECT_FALSE(color.IsSet());
    color.SetStandardValue(kRed);
    EXPECT_EQ(color.GetValue(), kRed);
    color.SetCustomValue(kBlue);
    EXPECT_EQ(color.GetValue(), kBlue);
    CStyleGradient source(kRed, kBlue, 0.3f);
    source.light.SetCustomValue(MakeColor(1, 2, 3));
    CStyleGradient copy;
    copy.SetStandardFrom(source);
    EXPECT_EQ(copy.light.standard, MakeColor(1, 2, 3));
    EXPECT_EQ(copy.dark.standard, kBlue);
    EXPECT_FLOAT_EQ(copy.factor, 0.3f);
    CStyleGradient one(kRed);
    EXPECT_EQ(one.dark.GetValue(), kRed);
    EXPECT_FLOAT_EQ(one.factor, 0.5f);
}
