#include "core/ColorMath.h"

#include <gtest/gtest.h>

using kit::ColorRef;
using kit::MakeColor;

TEST(ColorMathTest, BlendWeightIsPercentBelowHundredAndPerMilleFromHundred)
{
    const ColorRef white = MakeColor(255, 255, 255);
    const ColorRef black = 0;
    // 10 % of white
    EXPECT_EQ(kit::BlendColors(white, black, 100), MakeColor(26, 26, 26));
    // 99 % of white
    EXPECT_EQ(kit::BlendColors(white, black, 99), MakeColor(252, 252, 252));
    EXPECT_EQ(kit::BlendColors(MakeColor(200, 100, 0), MakeColor(0, 100, 200), 50), MakeColor(100, 100, 100));
    EXPECT_EQ(kit::BlendColors(white, black, 1000), white);
    EXPECT_EQ(kit::BlendColors(white, black, 0), black);
}

TEST(ColorMathTest, FractionBlendTruncates)
{
    EXPECT_EQ(kit::BlendColorsFraction(MakeColor(255, 0, 10), MakeColor(0, 255, 20), 0.5f), MakeColor(127, 127, 15));
    EXPECT_EQ(kit::BlendColorsFraction(MakeColor(255, 0, 0), 0, 1.0f), MakeColor(255, 0, 0));
    EXPECT_EQ(kit::BlendColorsFraction(MakeColor(255, 0, 0), MakeColor(0, 0, 255), 0.0f), MakeColor(0, 0, 255));
    // Outside 0..1 the channels are held within 0..255.
    EXPECT_EQ(kit::BlendColorsFraction(MakeColor(255, 255, 255), 0, 1.5f), MakeColor(255, 255, 255));
}

TEST(ColorMathTest, WeightedDistance)
{
    EXPECT_FLOAT_EQ(kit::ColorDistance(0, 0), 0.0f);
    EXPECT_NEAR(kit::ColorDistance(0, MakeColor(255, 255, 255)), 440.8, 0.1);
    EXPECT_NEAR(kit::ColorDistance(0, MakeColor(0, 255, 0)), 390.0, 0.01);
}

TEST(ColorMathTest, ThresholdIsDoubledNearBlackAndPlainFrom220)
{
    EXPECT_FLOAT_EQ(kit::AdjustContrastThreshold(0, 50), 100.0f);
    EXPECT_NEAR(kit::AdjustContrastThreshold(220, 50), 50.0f, 0.001);
    EXPECT_NEAR(kit::AdjustContrastThreshold(400, 50), 50.0f, 0.001);
    EXPECT_NEAR(kit::AdjustContrastThreshold(110, 50), 75.0f, 0.001);
}

TEST(ColorMathTest, PullEndsAtTheThresholdOnTheLineToA)
{
    const ColorRef a = MakeColor(212, 208, 200);
    const ColorRef b = MakeColor(20, 40, 60);
    const ColorRef pulled = kit::PullColorToward(a, b, 35);
    // Distance of a from black is above 220, so the threshold stays 35.
    EXPECT_NEAR(kit::ColorDistance(a, pulled), 35.0, 1.5);
    EXPECT_LT(kit::ColorDistance(a, pulled), kit::ColorDistance(a, b));
}

TEST(ColorMathTest, PushMovesDarkerWhenThereIsRoomAndLighterOtherwise)
{
    const ColorRef light = MakeColor(240, 240, 240);
    const ColorRef pushedFromLight = kit::PushColorAway(light, MakeColor(230, 230, 230), 100);
    EXPECT_NEAR(kit::ColorDistance(light, pushedFromLight), 100.0, 1.5);
    EXPECT_LT(kit::RedOf(pushedFromLight), 230);

    const ColorRef dark = MakeColor(10, 10, 10);
    const ColorRef pushedFromDark = kit::PushColorAway(dark, MakeColor(20, 20, 20), 100);
    EXPECT_GT(kit::RedOf(pushedFromDark), 20);
    EXPECT_FALSE(kit::IsDistanceAbove(dark, MakeColor(20, 20, 20), true, 100.0f));
    EXPECT_TRUE(kit::IsDistanceAbove(dark, pushedFromDark, true, 99.0f));
}

TEST(ColorMathTest, PushOfIdenticalColoursStaysFinite)
{
    // b on top of a (and black b, a zero vector) must not divide by zero.
    for (ColorRef c : {ColorRef{0}, MakeColor(128, 128, 128), MakeColor(255, 255, 255)}) {
        const ColorRef pushed = kit::PushColorAway(c, c, 80);
        EXPECT_LE(pushed, 0xFFFFFFu);
    }
    EXPECT_EQ(kit::PullColorToward(MakeColor(1, 2, 3), MakeColor(1, 2, 3), 10), MakeColor(1, 2, 3));
}

TEST(ColorMathTest, ColorValueOperations)
{
    CColorValue value(MakeColor(100, 50, 10));
    value.Subtract(MakeColor(20, 60, 5));
    EXPECT_EQ(static_cast<ColorRef>(value), MakeColor(80, 0, 5));
    CColorValue blended(MakeColor(200, 0, 100));
    blended.BlendPercent(MakeColor(0, 200, 100), 25);
    EXPECT_EQ(static_cast<ColorRef>(blended), MakeColor(150, 50, 100));
}
