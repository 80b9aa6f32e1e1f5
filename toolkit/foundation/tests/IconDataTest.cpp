// Command-icon data without GDI: the stored icon format, the picture sources
// (bitmap and icon resources, icon files, toolbar resources) and the pixel
// arithmetic of the derived images.
#include <gtest/gtest.h>

#include <cmath>

#include "core/IconArchiveFormat.h"
#include "core/IconSourceFormats.h"
#include "core/PixelEffects.h"

using namespace kit;

namespace {

void PutLe16(std::vector<uint8_t>& b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 40-byte BITMAPINFOHEADER followed by `extra` zero bytes.
std::vector<uint8_t> DibHeader(int32_t width, int32_t height, uint16_t bits, size_t extra = 0)
{
    std::vector<uint8_t> b(40 + extra, 0);
    PutLe32(b, 0, 40);
    PutLe32(b, 4, static_cast<uint32_t>(width));
    PutLe32(b, 8, static_cast<uint32_t>(height));
    PutLe16(b, 12, 1);
    PutLe16(b, 14, bits);
    return b;
}

BitmapRecord Record(int32_t width, int32_t height, uint16_t bits, uint8_t fill)
{
    BitmapRecord record;
    const std::vector<uint8_t> header = DibHeader(width, height, bits, 12);
    std::copy(header.begin(), header.end(), record.header.begin());
    record.shape = *ReadDibShape(header);
    record.pixels.assign(static_cast<size_t>(width) * height * 4, fill);
    return record;
}

}  // namespace

TEST(IconArchiveFormat, IconRecordRoundTripsWithItsFourImages)
{
    CommandIconRecord icon;
    icon.height = 16;
    icon.normal.colour = Record(16, 16, 32, 0x11);
    icon.normal.mask = Record(16, 16, 1, 0x00);
    icon.hot.colour = Record(16, 16, 32, 0x22);  // an alpha picture: colour only
    icon.pressed.colour = Record(16, 16, 24, 0x33);
    icon.pressed.mask = Record(16, 16, 1, 0xFF);

    MemoryArchiveWriter writer;
    WriteCommandIconRecord(writer, icon);
    MemoryArchiveReader reader(writer.Bytes());
    const CommandIconRecord back = ReadCommandIconRecord(reader);
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(back.height, 16);
    EXPECT_EQ(back.schema, kCommandIconSchema);
    ASSERT_TRUE(back.normal.colour && back.normal.mask);
    EXPECT_EQ(back.normal.colour->pixels.size(), 16u * 16 * 4);
    // The 1-bit mask keeps only what its own rows take: 4 bytes a row.
    EXPECT_EQ(back.normal.mask->pixels.size(), 16u * 4);
    EXPECT_FALSE(back.disabled.colour || back.disabled.mask);
    ASSERT_TRUE(back.hot.colour);
    EXPECT_FALSE(back.hot.mask);
    EXPECT_EQ(back.hot.colour->pixels[5], 0x22);
    ASSERT_TRUE(back.pressed.colour && back.pressed.mask);
    EXPECT_EQ(back.pressed.colour->shape.bitCount, 24);
}

TEST(IconArchiveFormat, SchemaSevenHasNoPressedImageAndLeavesItsBytes)
{
    CommandIconRecord icon;
    icon.schema = 7;
    icon.pressed.colour = Record(4, 4, 32, 1);  // not written at schema 7
    MemoryArchiveWriter writer;
    WriteCommandIconRecord(writer, icon);
    writer.WriteU32(0xCAFE);  // whatever follows in the stream
    MemoryArchiveReader reader(writer.Bytes());
    const CommandIconRecord back = ReadCommandIconRecord(reader);
    EXPECT_FALSE(back.pressed.colour);
    EXPECT_EQ(reader.ReadU32(), 0xCAFEu);
}

TEST(IconArchiveFormat, DamagedRecordsAreRefusedOrReadAsNoBitmap)
{
    auto readOne = [](const std::vector<uint8_t>& bytes) {
        MemoryArchiveReader reader(bytes);
        return ReadBitmapRecord(reader);
    };
    // Header length other than 52.
    EXPECT_THROW(readOne({40, 0}), ArchiveFormatError);
    // Pixel count beyond the data.
    std::vector<uint8_t> cut = {52, 0};
    const std::vector<uint8_t> header = DibHeader(8, 8, 32, 12);
    cut.insert(cut.end(), header.begin(), header.end());
    cut.insert(cut.end(), {0xFF, 0xFF, 0x00, 0x00, 0x10, 0x00, 1, 2, 3});
    EXPECT_THROW(readOne(cut), ArchiveFormatError);

    // Headers that are not pictures of ours are consumed and give no bitmap.
    struct Case
    {
        int32_t width, height;
        uint16_t bits;
    } refused[] = {{0, 8, 32}, {8, 0, 32}, {5000, 8, 32}, {8, 8, 8}, {8, 8, 4}, {8, 8, 0}};
    for (const Case& c : refused)
    {
        std::vector<uint8_t> bytes = {52, 0};
        const std::vector<uint8_t> h = DibHeader(c.width, c.height, c.bits, 12);
        bytes.insert(bytes.end(), h.begin(), h.end());
        bytes.insert(bytes.end(), {4, 0, 9, 9, 9, 9, 0x77});
        MemoryArchiveReader reader(bytes);
        EXPECT_FALSE(ReadBitmapRecord(reader)) << c.width << "x" << c.height << "x" << c.bits;
        EXPECT_EQ(reader.ReadU8(), 0x77);
    }
}

TEST(IconArchiveFormat, PixelBytesBeyondThePictureAreNotKept)
{
    std::vector<uint8_t> bytes = {52, 0};
    const std::vector<uint8_t> header = DibHeader(2, 2, 32, 12);
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), {20, 0});
    for (int i = 0; i < 20; ++i)
        bytes.push_back(static_cast<uint8_t>(i));
    MemoryArchiveReader reader(bytes);
    const auto record = ReadBitmapRecord(reader);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->pixels.size(), 16u);
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(IconSources, AlphaBitmapResourceNeedsThirtyTwoBitsAndAllItsPixels)
{
    std::vector<uint8_t> resource = DibHeader(3, 2, 32, 3 * 2 * 4);
    resource[40] = 0xAA;
    const auto picture = DecodeAlphaBitmapResource(resource);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->shape.width, 3);
    EXPECT_EQ(picture->pixels.size(), 24u);
    EXPECT_EQ(picture->pixels[0], 0xAA);

    resource.pop_back();
    EXPECT_FALSE(DecodeAlphaBitmapResource(resource));
    EXPECT_FALSE(DecodeAlphaBitmapResource(DibHeader(3, 2, 24, 3 * 2 * 4)));
    EXPECT_FALSE(DecodeAlphaBitmapResource(DibHeader(0x40000000, 0x40000000, 32, 16)));
    EXPECT_FALSE(IsAlphaBitmapHeader(std::vector<uint8_t>(20, 0)));
}

TEST(IconSources, IconFileGivesTheFirstMatchingAlphaImageAndSkipsDamagedEntries)
{
    // Directory of three: a 16-wide 32-bit entry pointing outside the file, a
    // 16-wide 8-bit entry, and a 16-wide 32-bit one that holds a 16×16 image.
    std::vector<uint8_t> image = DibHeader(16, 32, 32, 16 * 16 * 4 + 16 * 4);
    image[40] = 0x5A;
    std::vector<uint8_t> file(6 + 3 * 16, 0);
    PutLe16(file, 2, 1);
    PutLe16(file, 4, 3);
    auto entry = [&](int i, uint8_t width, uint16_t bits, uint32_t size, uint32_t offset) {
        const size_t at = 6 + 16 * i;
        file[at] = width;
        PutLe16(file, at + 6, bits);
        PutLe32(file, at + 8, size);
        PutLe32(file, at + 12, offset);
    };
    entry(0, 16, 32, 0xFFFF, 0xFFFFFF00u);
    entry(1, 16, 8, static_cast<uint32_t>(image.size()), 54);
    entry(2, 16, 32, static_cast<uint32_t>(image.size()), 54);
    file.insert(file.end(), image.begin(), image.end());

    const auto picture = FindAlphaIconInFile(file, 16);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->shape.height, 16);  // colour half of the stored 32
    EXPECT_EQ(picture->pixels.size(), 16u * 16 * 4);
    EXPECT_EQ(picture->pixels[0], 0x5A);
    EXPECT_TRUE(FindAlphaIconInFile(file, 0));
    EXPECT_FALSE(FindAlphaIconInFile(file, 32));
    // A count larger than the directory the file holds.
    PutLe16(file, 4, 60000);
    EXPECT_TRUE(FindAlphaIconInFile(file, 16));
    EXPECT_FALSE(FindAlphaIconInFile(std::vector<uint8_t>(5, 0), 0));
}

TEST(IconSources, GroupDirectoryAndToolBarResourceStopAtTheirBytes)
{
    std::vector<uint8_t> group(6 + 14 * 2, 0);
    PutLe16(group, 4, 5);  // claims five entries, holds two
    group[6] = 16;
    group[7] = 16;
    PutLe16(group, 6 + 12, 101);
    group[20] = 32;
    PutLe16(group, 20 + 6, 32);
    PutLe16(group, 20 + 12, 102);
    const auto entries = ReadGroupIconDirectory(group);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].iconId, 101);
    EXPECT_EQ(entries[1].width, 32);
    EXPECT_EQ(entries[1].bitCount, 32);

    // Version 1, 16×15 buttons, eight items of which two are separators.
    std::vector<uint8_t> toolbar(8 + 16, 0);
    PutLe16(toolbar, 0, 1);
    PutLe16(toolbar, 2, 16);
    PutLe16(toolbar, 4, 15);
    PutLe16(toolbar, 6, 8);
    const uint16_t ids[8] = {100, 101, 0, 102, 103, 0, 104, 105};
    for (int i = 0; i < 8; ++i)
        PutLe16(toolbar, 8 + 2 * i, ids[i]);
    const auto parsed = ReadToolBarResource(toolbar);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->ids, (std::vector<uint32_t>{100, 101, 102, 103, 104, 105}));
    EXPECT_EQ(parsed->itemCount, 8);
    toolbar.pop_back();
    EXPECT_FALSE(ReadToolBarResource(toolbar));
}

TEST(PixelEffects, GreyAndTintedDisabledForms)
{
    struct Case
    {
        ColorRef pixel;
        ColorRef grey;
    } cases[] = {{MakeColor(255, 255, 255), MakeColor(255, 255, 255)},
                 {MakeColor(0, 0, 0), MakeColor(0, 0, 0)},
                 {MakeColor(255, 0, 0), MakeColor(139, 139, 139)}};
    for (const Case& c : cases)
        EXPECT_EQ(DisabledColor(c.pixel, kColorUnset, kColorUnset), c.grey) << std::hex << c.pixel;
    const ColorRef light = MakeColor(200, 220, 240), dark = MakeColor(10, 20, 30);
    EXPECT_EQ(DisabledColor(MakeColor(0, 0, 0), light, dark), dark);
    EXPECT_EQ(DisabledColor(MakeColor(255, 255, 255), light, dark), light);
}

TEST(PixelEffects, BufferOperationsKeepAlphaAndFollowTheMask)
{
    // Two pixels (B, G, R, A): the first opaque in the mask, the second transparent.
    std::vector<uint8_t> pixels = {100, 0, 200, 0x80, 100, 0, 200, 0x40};
    const std::vector<uint8_t> mask = {0, 0, 0, 0, 255, 255, 255, 0};
    FillPixels(pixels, mask, MakeColor(1, 2, 3));
    EXPECT_EQ(pixels, (std::vector<uint8_t>{3, 2, 1, 0x80, 100, 0, 200, 0x40}));

    LightenPixels(pixels, {}, 0.3);
    EXPECT_EQ(pixels[0], static_cast<uint8_t>(0.7 * 3 + 0.3 * 255));
    EXPECT_EQ(pixels[3], 0x80);
    EXPECT_EQ(pixels[7], 0x40);

    std::vector<uint8_t> faded = {0, 100, 255, 7};
    FadePixels(faded);
    EXPECT_EQ(faded, (std::vector<uint8_t>{76, 146, 255, 7}));

    std::vector<uint8_t> premultiplied = {255, 128, 10, 128, 255, 255, 255, 0};
    PreMultiplyPixels(premultiplied);
    EXPECT_EQ(premultiplied, (std::vector<uint8_t>{128, 64, 5, 128, 0, 0, 0, 0}));
    EXPECT_EQ(ShadowColor(MakeColor(100, 200, 255)), MakeColor(75, 150, 191));
    EXPECT_EQ(LightenColor(MakeColor(0, 100, 255), 0.3), MakeColor(76, 146, 255));
}

TEST(PixelEffects, SplittingAStripAndMaskingTo24Bits)
{
    // A 4×2 strip of two pictures, each pixel's blue byte its column, green its row.
    std::vector<uint8_t> strip;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            strip.insert(strip.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0, 255});
    const auto parts = SplitPixelRows(strip, 4, 2, 2);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[1][0], 2);  // first pixel of picture 1 is column 2
    EXPECT_EQ(parts[1][8 + 1], 1);  // its second row
    EXPECT_TRUE(SplitPixelRows(strip, 4, 2, 3).empty());  // 4 is not a multiple of 3
    EXPECT_TRUE(SplitPixelRows(strip, 4, 3, 2).empty());  // more rows than bytes

    const std::vector<uint8_t> alpha = {255, 255, 255, 255, 9, 9, 9, 119};
    const auto rows = AlphaToMasked24(alpha, 2, 1, MakeColor(0, 255, 0));
    EXPECT_EQ(rows, (std::vector<uint8_t>{254, 254, 254, 0, 255, 0, 0, 0}));
}
