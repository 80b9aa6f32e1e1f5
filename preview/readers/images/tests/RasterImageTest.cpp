// PCX, WBMP and PNM pictures written by ImageMagick at test time, and damaged variants.
#include "RasterImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

TEST(RasterImage, PortableAnyMapsOfEveryKind) {
  // 3 x 2: red, blue, white over white, white, black; every kind ImageMagick writes.
  const std::string picture = "-size 3x2 xc:white -fill red -draw 'point 0,0' -fill blue -draw 'point 1,0' "
                              "-fill black -draw 'point 2,1' ";
  struct Case {
    const char* options;
    const char* name;
    char kind;
    bool colour;
  };
  const Case cases[] = {
      {"", "raw.ppm", '6', true},
      {"-compress none", "plain.ppm", '3', true},
      {"-depth 16", "deep.ppm", '6', true},
      {"-colorspace Gray", "raw.pgm", '5', false},
      {"-colorspace Gray -compress none", "plain.pgm", '2', false},
      {"-monochrome", "raw.pbm", '4', false},
      {"-monochrome -compress none", "plain.pbm", '1', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = Made(picture + c.options, c.name);
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ(bytes[1], c.kind);
    RasterImage image;
    ASSERT_EQ(DecodePnm(bytes.data(), bytes.size(), image), RasterResult::kOk);
    ASSERT_EQ(image.width, 3u);
    ASSERT_EQ(image.height, 2u);
    EXPECT_EQ(image.pixels[3], kWhite);
    EXPECT_EQ(image.pixels[5], kBlack);
    if (c.colour) {
      EXPECT_EQ(image.pixels[0], kRed);
      EXPECT_EQ(image.pixels[1], kBlue);
    }
  }
}

TEST(RasterImage, AnyMapHeadersWithCommentsAndDamagedOnes) {
  // A comment inside the header, 16-bit samples (big-endian), a maximum of 1000.
  const std::string commented = "P2\n# made by hand\n2 1 # size\n1000\n0 1000\n";
  RasterImage image;
  ASSERT_EQ(DecodePnm(reinterpret_cast<const uint8_t*>(commented.data()), commented.size(), image), RasterResult::kOk);
  EXPECT_EQ(image.pixels[0], kBlack);
  EXPECT_EQ(image.pixels[1], kWhite);
  const uint8_t deep[] = {'P', '5', ' ', '2', ' ', '1', ' ', '6', '5', '5', '3', '5', '\n', 0xFF, 0xFF, 0x80, 0x00};
  ASSERT_EQ(DecodePnm(deep, sizeof(deep), image), RasterResult::kOk);
  EXPECT_EQ(image.pixels[0], kWhite);
  EXPECT_EQ(image.pixels[1], 0x7F7F7Fu);
  // P1 digits may stand together.
  const std::string packed = "P1 4 1 0101";
  ASSERT_EQ(DecodePnm(reinterpret_cast<const uint8_t*>(packed.data()), packed.size(), image), RasterResult::kOk);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{kWhite, kBlack, kWhite, kBlack}));

  struct Case {
    const char* bytes;
    RasterResult result;
  };
  const Case cases[] = {
      {"P7 1 1 255\n", RasterResult::kBadSignature},
      {"Q6 1 1 255\n", RasterResult::kBadSignature},
      {"P6 1", RasterResult::kTruncatedHeader},
      {"P6 1 1 255", RasterResult::kTruncatedHeader},  // no byte ends the header
      {"P6 1 1 0\n", RasterResult::kUnsupportedLayout},
      {"P6 1 1 70000\n", RasterResult::kUnsupportedLayout},
      {"P6 0 1 255\n", RasterResult::kBadSize},
      {"P6 99999999999 1 255\n", RasterResult::kTruncatedHeader},
      {"P6 60000 60000 255\n", RasterResult::kBadSize},  // beyond the pixel cap
      {"P5 8000 8000 255\nxy", RasterResult::kBadSize},  // far more than the bytes present
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodePnm(reinterpret_cast<const uint8_t*>(c.bytes), std::strlen(c.bytes), image), c.result) << c.bytes;
  }
  // Cut in its data: the picture is given, its missing part black.
  const std::string cut = "P6 2 1 255\n\xFF\xFF\xFF\xFF";
  ASSERT_EQ(DecodePnm(reinterpret_cast<const uint8_t*>(cut.data()), cut.size(), image), RasterResult::kOk);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{kWhite, kBlack}));
}

}  // namespace
}  // namespace preview
