// The effect painter on a memory bitmap: gradients, degenerate textures, lines and frames.
#include <gtest/gtest.h>

#include "EffectPainter.h"

namespace {

class Surface {
 public:
  Surface(int width, int height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Surface() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

TEST(EffectPainterTest, FillsGradientsTexturesLinesAndFrames) {
  CEffectPainter painter;
  Surface surface(80, 60);
  HDC dc = surface.dc();

  painter.FillGradient(dc, RECT{0, 0, 32, 4}, RGB(0, 0, 0), RGB(0, 0, 255), TRUE);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255 / 64));  // band 0 has no width at 32 pixels
  EXPECT_EQ(GetPixel(dc, 31, 0), RGB(0, 0, 255 * 63 / 64));  // stops one band short of the end colour

  // Degenerate textures fall back to colour 1 instead of dividing by zero.
  painter.FillEffect(dc, 14, RECT{40, 0, 80, 1}, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), 5, 0);
  EXPECT_EQ(GetPixel(dc, 50, 0), RGB(255, 0, 0));
  painter.FillEffect(dc, 16, RECT{40, 2, 44, 4}, RGB(1, 2, 3), 0, 0, 0, 0);
  EXPECT_EQ(GetPixel(dc, 41, 3), RGB(1, 2, 3));
  painter.FillEffect(dc, 7, RECT{40, 10, 80, 30}, RGB(200, 200, 200), RGB(128, 128, 128), RGB(0, 0, 0), 5, 0);
  painter.FillEffect(dc, 15, RECT{40, 30, 80, 31}, RGB(200, 200, 200), RGB(128, 128, 128), RGB(0, 0, 0), 5, 0);
  painter.FillEffect(dc, 9, RECT{0, 0, 0, 10}, RGB(1, 1, 1), 0, 0, 0, 0);  // empty: nothing

  painter.DrawLine(dc, 0, 20, 30, 20, RGB(255, 0, 0), 6, 2);
  EXPECT_EQ(GetPixel(dc, 10, 20), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 10, 24), RGB(255, 0, 0));  // the doubled line's twin, 2 × 2 below
  painter.DrawLine(dc, 0, 40, 30, 40, RGB(255, 0, 0), 0, 2);
  EXPECT_EQ(GetPixel(dc, 10, 40), RGB(255, 255, 255));

  painter.DrawFrame(dc, RECT{2, 44, 22, 58}, RGB(255, 255, 255), RGB(0, 0, 0), 1, 1);
  EXPECT_EQ(GetPixel(dc, 22, 50), RGB(0, 0, 0));  // lines run on the right and bottom edges
}

TEST(EffectPainterTest, DrawsSystemIconsAndColourOperations) {
  CEffectPainter painter;
  Surface surface(48, 48);
  HICON icon = LoadIconW(nullptr, IDI_ASTERISK);
  SIZE size;
  CEffectPainter::GetIconSize(icon, size);
  EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXICON));
  painter.DrawIcon(surface.dc(), 0, 0, 32, 32, icon, 0x0001, FALSE, 0, 0, 0, 0, 0);
  painter.DrawIcon(surface.dc(), 8, 8, 32, 32, icon, 0x0200, TRUE, 4, 4, 7, 7, RGB(128, 128, 128));
  EXPECT_EQ(CEffectPainter::ToGrey(0x00FF0000), 0x004C4C4Cu);
  EXPECT_EQ(CEffectPainter::InvertColor(0xFF102030), 0x00EFDFCFu);
  EXPECT_EQ(CEffectPainter::DarkenColor(0x00808080, 1.5), 0x00808080u);
  EXPECT_EQ(CEffectPainter::LightenColor(0x00C8C8C8, 0.5), 0x00FFFFFFu);
}

}  // namespace
