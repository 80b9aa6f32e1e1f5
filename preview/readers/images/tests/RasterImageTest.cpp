// PCX and WBMP pictures written by ImageMagick at test time, and damaged variants.
#include "RasterImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace preview {
namespace {

std::vector<uint8_t> Made(const std::string& arguments, const std::string& name) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelmo-raster-tests";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / name;
  const std::string command = "convert " + arguments + " '" + file.string() + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

TEST(RasterImage, PcxOfTwentyFourBitsAndOfAPalette) {
  const std::pair<const char*, const char*> kinds[] = {{"", "rgb.pcx"}, {"-type Palette", "palette.pcx"}};
  for (const auto& [kind, name] : kinds) {
    SCOPED_TRACE(kind);
    const auto bytes = Made(std::string("-size 4x2 xc:red -fill blue -draw 'point 1,0' ") + kind, name);
    ASSERT_FALSE(bytes.empty());
    RasterImage image;
    ASSERT_EQ(DecodePcx(bytes.data(), bytes.size(), image), RasterResult::kOk);
    ASSERT_EQ(image.width, 4u);
    ASSERT_EQ(image.height, 2u);
    EXPECT_EQ(image.pixels[0], kRed);
    EXPECT_EQ(image.pixels[1], kBlue);
    EXPECT_EQ(image.pixels[7], kRed);
  }
}

TEST(RasterImage, PcxOfOneBitPlanes) {
  // 16 x 1, one bit in one plane, not encoded: white, black, then white again.
  std::vector<uint8_t> bytes(128, 0);
  bytes[0] = 0x0A;
  bytes[3] = 1;       // bits per pixel
  bytes[8] = 15;      // x max
  bytes[65] = 1;      // planes
  bytes[66] = 2;      // bytes per line
  bytes.push_back(0x80);
  bytes.push_back(0xFF);
  RasterImage image;
  ASSERT_EQ(DecodePcx(bytes.data(), bytes.size(), image), RasterResult::kOk);
  EXPECT_EQ(image.pixels[0], kWhite);
  EXPECT_EQ(image.pixels[1], kBlack);
  EXPECT_EQ(image.pixels[8], kWhite);
}

TEST(RasterImage, WbmpOfOneBit) {
  const auto bytes = Made("-size 9x2 xc:white -fill black -draw 'point 1,0'", "t.wbmp");
  ASSERT_FALSE(bytes.empty());
  RasterImage image;
  ASSERT_EQ(DecodeWbmp(bytes.data(), bytes.size(), image), RasterResult::kOk);
  ASSERT_EQ(image.width, 9u);
  EXPECT_EQ(image.pixels[0], kWhite);
  EXPECT_EQ(image.pixels[1], kBlack);
  EXPECT_EQ(image.pixels[9 + 8], kWhite);
}

TEST(RasterImage, DamagedPicturesAreRefusedOrCutShort) {
  const auto pcx = Made("-size 4x2 xc:red", "good.pcx");
  ASSERT_GE(pcx.size(), 130u);
  struct Case {
    const char* what;
    size_t offset;
    uint8_t value;
    RasterResult result;
  };
  const Case cases[] = {
      {"manufacturer", 0, 0x0B, RasterResult::kBadSignature},
      {"encoding", 2, 7, RasterResult::kBadSignature},
      {"bits", 3, 3, RasterResult::kUnsupportedLayout},
      {"planes", 65, 2, RasterResult::kUnsupportedLayout},
      {"x max below x min", 4, 9, RasterResult::kBadSize},
      {"line too short", 66, 0, RasterResult::kBadSize},
      {"huge width", 9, 0xFF, RasterResult::kBadSize},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> damaged = pcx;
    damaged[c.offset] = c.value;
    if (c.offset == 9) {  // 65,535 x 65,535 pixels: beyond the cap
      damaged[8] = damaged[10] = damaged[11] = 0xFF;
    }
    RasterImage image;
    EXPECT_EQ(DecodePcx(damaged.data(), damaged.size(), image), c.result) << c.what;
  }
  RasterImage image;
  EXPECT_EQ(DecodePcx(pcx.data(), 100, image), RasterResult::kTruncatedHeader);
  // Cut in its data: the picture is given, its missing part black.
  ASSERT_EQ(DecodePcx(pcx.data(), 131, image), RasterResult::kOk);
  EXPECT_EQ(image.pixels[0], kRed);
  EXPECT_EQ(image.pixels[7], kBlack);

  // A header claiming 60,000 x 1,000 pixels over a few bytes of data.
  std::vector<uint8_t> claims(pcx.begin(), pcx.begin() + 140);
  claims[8] = 0x5F; claims[9] = 0xEA; claims[10] = 0xE7; claims[11] = 0x03; claims[66] = 0x60; claims[67] = 0xEA;
  EXPECT_EQ(DecodePcx(claims.data(), claims.size(), image), RasterResult::kBadSize);

  const uint8_t wbmpTypes[][4] = {{1, 0, 1, 1}, {0, 0x80, 1, 1}, {0, 0, 0, 1}, {0, 0, 0xFF, 0xFF}};
  const RasterResult wbmpResults[] = {RasterResult::kBadSignature, RasterResult::kBadSignature,
                                      RasterResult::kBadSize, RasterResult::kTruncatedHeader};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(DecodeWbmp(wbmpTypes[i], 4, image), wbmpResults[i]) << i;
  }
}

}  // namespace
}  // namespace preview
