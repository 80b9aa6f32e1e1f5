#include <gtest/gtest.h>

#include "core/DrawerColors.h"

using namespace kit;
using namespace kit::taskpanel;

TEST(DrawerColors, MixWeighsOutOf255AndTruncates)
{
    EXPECT_EQ(MixColors(MakeColor(255, 0, 100), MakeColor(0, 255, 100), 255), MakeColor(255, 0, 100));
    EXPECT_EQ(MixColors(MakeColor(255, 0, 100), MakeColor(0, 255, 100), 0), MakeColor(0, 255, 100));
    // 200 * 128 / 255 = 100.39 -> 100; 100 * 127 / 255 = 49.8 -> 49.
    EXPECT_EQ(MixColors(MakeColor(200, 0, 0), MakeColor(0, 100, 0), 128), MakeColor(100, 49, 0));
}

TEST(DrawerColors, HlsRoundTripsAndGreysHaveNoHue)
{
    for (const ColorRef color : {MakeColor(255, 0, 0), MakeColor(0x21, 0x5D, 0xC6), MakeColor(0xF7, 0xD3, 0xC6)})
    {
        const ColorRef back = HlsToColor(ColorToHls(color));
        EXPECT_NEAR(RedOf(back), RedOf(color), 1);
        EXPECT_NEAR(GreenOf(back), GreenOf(color), 1);
        EXPECT_NEAR(BlueOf(back), BlueOf(color), 1);
    }
    for (const ColorRef grey : {kColorBlack, kColorWhite, MakeColor(128, 128, 128)})
    {
        const Hls hls = ColorToHls(grey);
        EXPECT_EQ(hls.hue, 0);
        EXPECT_EQ(hls.saturation, 0);
    }
    EXPECT_DOUBLE_EQ(ColorToHls(kColorWhite).lightness, 1.0);
}

TEST(DrawerColors, RecolorMasksTheBackgroundAndTakesTheHue)
{
    std::vector<ColorRef> pixels{MakeColor(255, 255, 255), MakeColor(128, 128, 128), MakeColor(255, 255, 255)};
    RecolorPixels(pixels, MakeColor(0, 0, 200));
    EXPECT_EQ(pixels[0], kRecolorMask);
    EXPECT_EQ(pixels[2], kRecolorMask);
    EXPECT_GT(BlueOf(pixels[1]), RedOf(pixels[1]));
}

// Pictures that give the conversion nothing to divide by: a black
// background, a uniform picture and an empty one.
TEST(DrawerColors, RecolorSurvivesBlackAndUniformPictures)
{
    std::vector<ColorRef> uniform(19 * 19, MakeColor(10, 20, 30));
    RecolorPixels(uniform, MakeColor(0, 0, 0));
    for (const ColorRef pixel : uniform)
        EXPECT_EQ(pixel, kRecolorMask);

    std::vector<ColorRef> onBlack{kColorBlack, MakeColor(100, 100, 100)};
    RecolorPixels(onBlack, MakeColor(200, 0, 0));
    EXPECT_NE(onBlack[1], kRecolorMask);
    EXPECT_GT(RedOf(onBlack[1]), 0);

    std::vector<ColorRef> empty;
    RecolorPixels(empty, kColorWhite);
    EXPECT_TRUE(empty.empty());
}
