// Gradient bands and texture values of the effect painter.
#include <gtest/gtest.h>

#include "EffectMath.h"

namespace markup {
namespace {

TEST(GradientTest, ThirtyTwoPixelsPaintThirtyTwoBandsAndStopShortOfTheEnd) {
  int painted = 0;
  GradientBand last;
  for (int k = 0; k < kGradientBands; ++k) {
    GradientBand band = GradientBandAt(k, 10, 32, Rgb(0, 0, 0), Rgb(255, 128, 64));
    if (band.end > band.start) ++painted;
    last = band;
  }
  EXPECT_EQ(painted, 32);
  EXPECT_EQ(last.end, 42);
  EXPECT_EQ(last.color, Rgb(255 * 63 / 64, 128 * 63 / 64, 64 * 63 / 64));
  EXPECT_EQ(GradientBandAt(0, 0, 0, 1, 2).end, 0);  // no extent, nothing to paint
}

struct TextureCase {
  int effect, granularity, width, height, low, high;
};

class TextureRangeTest : public ::testing::TestWithParam<TextureCase> {};

TEST_P(TextureRangeTest, ValuesStayInRange) {
  const TextureCase& c = GetParam();
  unsigned seed = 1;
  TexturePixels texture;
  ASSERT_TRUE(BuildTexture(c.effect, c.width, c.height, 0xFFFFFF, 0x808080, 0, c.granularity, 0,
                           [&] { return static_cast<int>((seed = seed * 1103515245 + 12345) >> 16) & 0x7FFF; },
                           texture));
  for (uint8_t value : texture.pixels) {
    EXPECT_GE(value, c.low);
    EXPECT_LE(value, c.high);
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, TextureRangeTest,
                         ::testing::Values(TextureCase{7, 5, 40, 30, 123, 133},    // noise
                                           TextureCase{15, 5, 64, 1, 0, 255}));    // metal on a 1-pixel strip

TEST(TextureTest, HShadeRunsFromColourThreeAtTheBottom) {
  TexturePixels texture;
  ASSERT_TRUE(BuildTexture(9, 4, 10, 0xFFFFFF, 0x808080, 0, 0, 0, [] { return 0; }, texture));
  EXPECT_EQ(texture.At(0, 0), 0);
  EXPECT_EQ(texture.At(0, 9), 255 * 9 / 10);
  EXPECT_EQ(texture.palette[0], 0u);
  EXPECT_EQ(texture.palette[255], 0xFFFFFFu);
}

TEST(TextureTest, DegenerateSizesAreRefusedInsteadOfDividingByZero) {
  TexturePixels texture;
  auto random = [] { return 32767; };
  EXPECT_FALSE(BuildTexture(7, 0, 10, 1, 2, 3, 5, 0, random, texture));
  EXPECT_FALSE(BuildTexture(9, 10, 0, 1, 2, 3, 5, 0, random, texture));
  EXPECT_FALSE(BuildTexture(14, 40, 1, 1, 2, 3, 5, 0, random, texture));  // hardbump needs two rows
  EXPECT_FALSE(BuildTexture(14, 5, 40, 1, 2, 3, 5, 0, random, texture));  // and bevels at least a pixel wide
  EXPECT_FALSE(BuildTexture(15, 40000, 2, 1, 2, 3, 5, 0, random, texture));
  EXPECT_FALSE(BuildTexture(16, 10, 10, 1, 2, 3, 5, 0, random, texture));
  EXPECT_TRUE(BuildTexture(15, 1, 1, 1, 2, 3, 255, 255, random, texture));
}

}  // namespace
}  // namespace markup
