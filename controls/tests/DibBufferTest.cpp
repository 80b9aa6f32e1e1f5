// The palette bitmap buffer: layout, palette and pixel setters, drawing.
#include <gtest/gtest.h>

#include "DibBuffer.h"

namespace {

TEST(DibBufferTest, LayoutSettersAndDraw) {
  CDibBuffer buffer;
  ASSERT_NE(buffer.Create(5, 3, 24), nullptr);
  EXPECT_EQ(buffer.PaletteCount(), 0);
  EXPECT_EQ(buffer.Stride(), 16);
  buffer.SetPaletteEntry(0, 1, 2, 3);  // no palette: ignored
  buffer.SetPixelIndex(0, 0, 9);       // no palette: ignored
  EXPECT_EQ(buffer.GetTotalSize(), 40u + 48u);

  ASSERT_NE(buffer.Create(4, 3, 8), nullptr);
  EXPECT_EQ(buffer.PaletteCount(), 256);
  buffer.Fill(0);
  buffer.SetPixelIndex(1, 0, 7);  // y = 0 is the top: the last stored row
  EXPECT_EQ(buffer.GetBits()[2 * buffer.Stride() + 1], 7);
  buffer.SetPixelIndex(4, 0, 7);
  buffer.SetPixelIndex(-1, 0, 7);
  for (int i = 0; i < 256; ++i) buffer.SetPaletteEntry(i, 0, 0, 0);
  buffer.SetPaletteEntry(7, 255, 0, 0);
  buffer.BlendPalette(RGB(0, 255, 0), 150);  // above 100 counts as 100
  EXPECT_EQ(buffer.Palette()[3].rgbGreen, 255);
  EXPECT_EQ(buffer.Palette()[7].rgbRed, 0);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ previous = SelectObject(memory, target);
  buffer.Draw(memory, 2, 2);
  EXPECT_EQ(GetPixel(memory, 3, 2), RGB(0, 255, 0));
  SelectObject(memory, previous);
  DeleteObject(target);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace
