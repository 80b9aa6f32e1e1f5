#include <gtest/gtest.h>

#include "CPsdDecoder.h"
#include "ReaderFixtures.h"

namespace preview {

void PrintTo(const PsdRgb& p, std::ostream* os) { *os << int(p.red) << "," << int(p.green) << "," << int(p.blue); }

namespace {

using test::FixtureFolder;
using test::RunInFixtureFolder;

TEST(PsdDecoder, DecodesDocumentsWrittenByImageMagick) {
  // A 4 x 3 picture: red with a blue pixel at (1, 0) and a white one at (3, 2). ImageMagick
  // writes 16-bit samples with an alpha channel unless told otherwise.
  const std::string picture = "-size 4x3 xc:red -fill blue -draw 'point 1,0' -fill white -draw 'point 3,2'";
  ASSERT_TRUE(RunInFixtureFolder("convert " + picture + " -compress RLE rgb-rle.psd"));
  ASSERT_TRUE(RunInFixtureFolder("convert " + picture + " -compress None rgb-raw.psd"));
  ASSERT_TRUE(RunInFixtureFolder("convert " + picture + " -depth 16 -compress RLE rgb16.psd"));
  ASSERT_TRUE(RunInFixtureFolder("convert " + picture + " -colorspace Gray -compress RLE grey.psd"));
  for (const char* name : {"rgb-rle.psd", "rgb-raw.psd", "rgb16.psd"}) {
    SCOPED_TRACE(name);
    CPsdDecoder decoder;
    ASSERT_EQ(decoder.Load(FixtureFolder() / name), kPsdOk);
    ASSERT_TRUE(decoder.HasPicture());
    ASSERT_EQ(decoder.Width(), 4u);
    ASSERT_EQ(decoder.Height(), 3u);
    EXPECT_EQ(decoder.Pixels()[0], (PsdRgb{255, 0, 0}));
    EXPECT_EQ(decoder.Pixels()[1], (PsdRgb{0, 0, 255}));
    EXPECT_EQ(decoder.Pixels()[11], (PsdRgb{255, 255, 255}));
  }
  CPsdDecoder grey;
  ASSERT_EQ(grey.Load(FixtureFolder() / "grey.psd"), kPsdOk);
  ASSERT_TRUE(grey.HasPicture());
  EXPECT_EQ(grey.Pixels()[11], (PsdRgb{255, 255, 255}));
  EXPECT_EQ(grey.Pixels()[0].red, grey.Pixels()[0].blue);
  EXPECT_EQ(CPsdDecoder().Load(FixtureFolder() / "missing.psd"), kPsdCannotOpen);
}

// A document with no colour data, the given resources, no layers and the image data.
std::vector<uint8_t> Psd(uint16_t channels, uint32_t height, uint32_t width, uint16_t depth, uint16_t mode,
                         uint16_t compression, const std::vector<uint8_t>& data,
                         const std::vector<uint8_t>& resources = {}) {
  std::vector<uint8_t> b = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0};
  auto put = [&b](uint64_t v, int width) {
    for (int i = width - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put(channels, 2); put(height, 4); put(width, 4); put(depth, 2); put(mode, 2);
  put(0, 4);
  put(resources.size(), 4);
  b.insert(b.end(), resources.begin(), resources.end());
  put(0, 4);
  put(compression, 2);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

TEST(PsdDecoder, DamagedDocuments) {
  const std::vector<uint8_t> rgb = {10, 20, 30, 40, 50, 60};  // 2 x 1, raw, planar
  struct Case { const char* name; std::vector<uint8_t> bytes; int32_t result; bool picture; };
  auto withByte = [](std::vector<uint8_t> b, size_t at, uint8_t v) { b[at] = v; return b; };
  const auto good = Psd(3, 1, 2, 8, 3, 0, rgb);
  const Case cases[] = {
      {"good", good, kPsdOk, true},
      {"signature", withByte(good, 0, 'X'), kPsdBadHeader, false},
      {"version-2", withByte(good, 5, 2), kPsdBadHeader, false},
      {"reserved", withByte(good, 8, 1), kPsdBadHeader, false},
      {"short-header", std::vector<uint8_t>(good.begin(), good.begin() + 20), kPsdBadHeader, false},
      {"huge-width", Psd(3, 1, 0x7FFFFFFF, 8, 3, 0, rgb), kPsdBadHeader, false},
      {"overflowing-size", Psd(56, 30000, 30000, 16, 3, 1, {}), kPsdNoBitmap, false},
      {"zip", Psd(3, 1, 2, 8, 3, 2, rgb), kPsdZipCompression, false},
      {"zip-prediction", Psd(3, 1, 2, 8, 3, 3, rgb), kPsdZipPredictionCompression, false},
      {"other-compression", Psd(3, 1, 2, 8, 3, 9, rgb), kPsdUnknownCompression, false},
      {"raw-cut-short", Psd(3, 1, 2, 8, 3, 0, {10, 20, 30}), kPsdOk, false},
      {"raw-rgb-with-alpha", Psd(4, 1, 2, 8, 3, 0, {1, 2, 3, 4, 5, 6, 7, 8}), kPsdOk, true},
      {"raw-rgb-two-channels", Psd(2, 1, 2, 8, 3, 0, {1, 2, 3, 4}), kPsdOk, false},
      {"no-image-data", std::vector<uint8_t>(good.begin(), good.end() - 8), kPsdOk, false},
      {"depth-1", Psd(1, 1, 8, 1, 0, 1, {0, 2, 0, 0xFF}), kPsdNoBitmap, false},
      {"resources-do-not-add-up", Psd(3, 1, 2, 8, 3, 0, rgb, {'8', 'B', 'I', 'M', 3, 0xED, 0, 0, 0, 0, 0, 40}),
       kPsdBadResources, false},
      {"resource-size-past-section", Psd(3, 1, 2, 8, 3, 0, rgb, {'8', 'B', 'I', 'M', 0, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xF0}),
       kPsdBadResources, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CPsdDecoder decoder;
    EXPECT_EQ(decoder.Decode(c.bytes.data(), c.bytes.size()), c.result);
    EXPECT_EQ(decoder.HasPicture(), c.picture);
  }
  CPsdDecoder decoder;
  ASSERT_EQ(decoder.Decode(good.data(), good.size()), kPsdOk);
  EXPECT_EQ(decoder.Pixels()[0], (PsdRgb{10, 30, 50}));
  EXPECT_EQ(decoder.Pixels()[1], (PsdRgb{20, 40, 60}));
}

TEST(PsdDecoder, RunLengthRowsNeverReadOrWritePastTheirInput) {
  // Row counts (3 channels x 1 row), then per channel: a run of 4 claimed where 2 fit,
  // a literal claiming 100 bytes, and the last channel cut short.
  const std::vector<uint8_t> data = {0, 2, 0, 2, 0, 2, 0xFD, 7, 99, 1, 2, 3};
  const auto bytes = Psd(3, 1, 2, 8, 3, 1, data);
  CPsdDecoder decoder;
  ASSERT_EQ(decoder.Decode(bytes.data(), bytes.size()), kPsdOk);
  ASSERT_TRUE(decoder.HasPicture());
  // Red 7 7; green takes the literal 1, 2; blue gets nothing and stays 254.
  EXPECT_EQ(decoder.Pixels()[0], (PsdRgb{7, 1, 254}));
  EXPECT_EQ(decoder.Pixels()[1], (PsdRgb{7, 2, 254}));
}

TEST(PsdDecoder, ColourConversions) {
  auto one = [](uint16_t channels, uint16_t mode, std::vector<uint8_t> samples) {
    const auto bytes = Psd(channels, 1, 1, 8, mode, 0, samples);
    CPsdDecoder decoder;
    EXPECT_EQ(decoder.Decode(bytes.data(), bytes.size()), kPsdOk);
    return decoder.HasPicture() ? decoder.Pixels()[0] : PsdRgb{1, 2, 3};
  };
  EXPECT_EQ(one(4, 4, {255, 255, 255, 255}), (PsdRgb{253, 253, 253}));
  EXPECT_EQ(one(4, 4, {0, 0, 0, 0}), (PsdRgb{0, 0, 0}));
  EXPECT_EQ(one(4, 4, {255, 255, 255, 0}), (PsdRgb{0, 0, 0}));
  EXPECT_EQ(one(3, 9, {255, 128, 128}), (PsdRgb{253, 253, 253}));
  EXPECT_EQ(one(3, 9, {0, 128, 128}), (PsdRgb{0, 0, 0}));
  EXPECT_EQ(one(3, 9, {128, 128, 128}), (PsdRgb{119, 119, 119}));
  // An indexed document without a colour count stays white.
  EXPECT_EQ(one(1, 2, {5}), (PsdRgb{255, 255, 255}));
}

TEST(PsdDecoder, ResolutionGivesPixelsPerMetre) {
  const std::vector<uint8_t> resolution = {'8', 'B', 'I', 'M', 0x03, 0xED, 0, 0, 0, 0, 0, 16,
                                           0, 72, 0, 0, 0, 1, 0, 1, 0, 72, 0, 0, 0, 1, 0, 1};
  const auto bytes = Psd(3, 1, 2, 8, 3, 0, {1, 2, 3, 4, 5, 6}, resolution);
  CPsdDecoder decoder;
  ASSERT_EQ(decoder.Decode(bytes.data(), bytes.size()), kPsdOk);
  EXPECT_EQ(decoder.PixelsPerMetreX(), 2834);
  EXPECT_EQ(decoder.PixelsPerMetreY(), 2834);
  EXPECT_EQ(CPsdDecoder().PixelsPerMetreX(), 3780);
}

}  // namespace
}  // namespace preview
