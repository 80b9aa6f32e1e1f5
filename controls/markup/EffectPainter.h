// The drawing toolbox of the markup drawer and message box: solid, gradient and
// textured fills, framed rectangles and lines with pen styles, and bitmaps and
// icons with colour effects, transparency, per-pixel alpha and drop shadows.
#pragma once

#include <windows.h>

#include "DibBuffer.h"

// Image-effect bits of the image calls.
namespace effectbits {
constexpr int kGrey = 0x0001;
constexpr int kDarker = 0x0002;
constexpr int kLighter = 0x0004;
constexpr int kSolid = 0x0008;
constexpr int kShadow = 0x0100;
constexpr int kSoftShadow = 0x0200;
constexpr int kInvert = 0x8000;
}  // namespace effectbits

class CEffectPainter {
 public:
  CEffectPainter() = default;
  virtual ~CEffectPainter() = default;
  CEffectPainter(const CEffectPainter&) = delete;
  CEffectPainter& operator=(const CEffectPainter&) = delete;

  static void GetIconSize(HICON icon, SIZE& size);
  static void GetBitmapSize(HBITMAP bitmap, SIZE& size);

  // Colour operations on 32-bit pixels (0xAARRGGBB); the alpha byte is not kept.
  static DWORD ToGrey(DWORD pixel);
  static DWORD InvertColor(DWORD pixel);
  static DWORD DarkenColor(DWORD pixel, double factor);
  static DWORD LightenColor(DWORD pixel, double factor);
  static DWORD BlendColors(DWORD a, double weightA, DWORD b, double weightB);

  void FillEffect(HDC dc, int effect, const RECT& rect, COLORREF c1, COLORREF c2, COLORREF c3, int granularity,
                  int blend);
  void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, BOOL horizontal);
  void TileBitmap(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int tileWidth,
                  int tileHeight);
  void DrawFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int type, int penWidth);
  void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int type, int penWidth);

  HBITMAP CreateEffectBitmap(HBITMAP source, int width, int height, int effectBits, BOOL useTransparent,
                             COLORREF transparent, COLORREF solid);
  void DrawBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, BOOL useTransparent,
                  COLORREF transparent, int effectBits, BOOL offset, int dx, int dy, int blurWidth, int blurHeight,
                  COLORREF color);
  void DrawIcon(HDC dc, int x, int y, int width, int height, HICON icon, int effectBits, BOOL offset, int dx, int dy,
                int blurWidth, int blurHeight, COLORREF color);
  void DrawStripImage(HDC dc, int x, int y, int width, int height, HBITMAP strip, int index, int cellWidth,
                      int cellHeight, BOOL useTransparent, COLORREF transparent, int effectBits, BOOL offset, int dx,
                      int dy, int blurWidth, int blurHeight, COLORREF color);
  static HICON ResizeIcon(HICON icon, int width, int height);
  void AlphaBlendRect(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY);
  void DrawShadow(HDC dc, int x, int y, int width, int height, HBITMAP silhouette, BOOL soft, int blurWidth,
                  int blurHeight);

 private:
  // Draws an image made by CreateEffectBitmap at (x, y) with its mask, or blended
  // per pixel when its source had alpha.
  void BlitImage(HDC dc, int x, int y, int width, int height, HBITMAP image, HBITMAP mask, bool iconMask);

  CDibBuffer texture_;
  BOOL alphaSeen_ = FALSE;
};
