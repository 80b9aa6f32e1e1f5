// Bitmaps, icons and strip cells with colour effects, transparency, per-pixel
// alpha and drop shadows.
#include <algorithm>
#include <vector>

#include "EffectPainter.h"
#include "GdiHandles.h"

namespace {

// COLORREF 0x00BBGGRR to the pixel order 0x00RRGGBB of 32-bit DIBs.
DWORD ToPixel(COLORREF color) {
  return (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8) | GetBValue(color);
}

bool CopyToDib(HDC screen, HBITMAP source, int sourceX, int sourceY, const Dib32& dib) {
  MemoryDc sourceDc(screen), targetDc(screen);
  if (!sourceDc || !targetDc || !dib.bitmap) return false;
  SelectionGuard selectSource(sourceDc.Get(), source);
  SelectionGuard selectTarget(targetDc.Get(), dib.bitmap.Get());
  BitBlt(targetDc.Get(), 0, 0, dib.width, dib.height, sourceDc.Get(), sourceX, sourceY, SRCCOPY);
  GdiFlush();
  return true;
}

// One factor per pixel from the blue bytes of a silhouette, box-blurred by
// running sums so that the cost does not depend on the blur size.
std::vector<double> BuildShadowMap(const Dib32& silhouette, int kw, int kh) {
  const int W = silhouette.width, H = silhouette.height;
  const int paddedW = W + kw - 1, paddedH = H + kh - 1;
  std::vector<double> padded(static_cast<size_t>(paddedW) * paddedH, 255.0);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) padded[(y + kh / 2) * paddedW + x + kw / 2] = silhouette.bits[y * W + x] & 0xFF;
  }
  std::vector<double> rows(static_cast<size_t>(W) * paddedH);
  for (int y = 0; y < paddedH; ++y) {
    double sum = 0;
    for (int x = 0; x < kw; ++x) sum += padded[y * paddedW + x];
    for (int x = 0; x < W; ++x) {
      rows[y * W + x] = sum;
      if (x + kw < paddedW) sum += padded[y * paddedW + x + kw] - padded[y * paddedW + x];
    }
  }
  std::vector<double> factors(static_cast<size_t>(W) * H);
  for (int x = 0; x < W; ++x) {
    double sum = 0;
    for (int y = 0; y < kh; ++y) sum += rows[y * W + x];
    for (int y = 0; y < H; ++y) {
      factors[y * W + x] = sum / (static_cast<double>(kw) * kh * 255.0);
      if (y + kh < paddedH) sum += rows[(y + kh) * W + x] - rows[y * W + x];
    }
  }
  return factors;
}

}  // namespace

HBITMAP CEffectPainter::CreateEffectBitmap(HBITMAP source, int width, int height, int effectBits, BOOL useTransparent,
                                           COLORREF transparent, COLORREF solid) {
  if (!source || width <= 0 || height <= 0) return nullptr;
  ScreenDc screen;
  Dib32 dib = CreateDib32(width, height);
  if (!dib.bitmap || !CopyToDib(screen.Get(), source, 0, 0, dib)) return nullptr;
  const DWORD transparentPixel = ToPixel(transparent), solidPixel = ToPixel(solid);
  for (int i = 0; i < width * height; ++i) {
    const DWORD pixel = dib.bits[i];
    if (pixel & 0xFF000000) alphaSeen_ = TRUE;
    DWORD value = 0;
    if (!(useTransparent && pixel == transparentPixel)) {
      value = pixel;
      if (effectBits & effectbits::kGrey) value = ToGrey(value);
      if (effectBits & effectbits::kDarker) value = DarkenColor(value, 0.75);
      if (effectBits & effectbits::kLighter) value = LightenColor(value, 0.25);
      if (effectBits & effectbits::kSolid) value = solidPixel;
    }
    if (effectBits & effectbits::kInvert) value = InvertColor(value);
    dib.bits[i] = (value & 0x00FFFFFF) | (pixel & 0xFF000000);
  }
  return dib.bitmap.Release();
}

void CEffectPainter::BlitImage(HDC dc, int x, int y, int width, int height, HBITMAP image, HBITMAP mask,
                               bool iconMask) {
  ScreenDc screen;
  MemoryDc imageDc(screen.Get()), maskDc(screen.Get());
  if (!imageDc || !maskDc) return;
  SelectionGuard selectImage(imageDc.Get(), image);
  if (alphaSeen_) {
    AlphaBlendRect(dc, x, y, width, height, imageDc.Get(), 0, 0);
    return;
  }
  SelectionGuard selectMask(maskDc.Get(), mask);
  COLORREF oldText = iconMask ? SetTextColor(dc, RGB(0, 0, 0)) : 0;
  COLORREF oldBack = iconMask ? SetBkColor(dc, RGB(255, 255, 255)) : 0;
  BitBlt(dc, x, y, width, height, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, width, height, imageDc.Get(), 0, 0, SRCPAINT);
  if (iconMask) {
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
  }
}

void CEffectPainter::DrawBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, BOOL useTransparent,
                                COLORREF transparent, int effectBits, BOOL offset, int dx, int dy, int blurWidth,
                                int blurHeight, COLORREF color) {
  alphaSeen_ = FALSE;
  if (!dc || !bitmap || width <= 0 || height <= 0) return;
  ScreenDc screen;
  GdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen.Get(), width, height));
  MemoryDc sourceDc(screen.Get()), copyDc(screen.Get());
  if (!copy || !sourceDc || !copyDc) return;
  {
    SelectionGuard selectSource(sourceDc.Get(), bitmap);
    SelectionGuard selectCopy(copyDc.Get(), copy.Get());
    SIZE natural;
    GetBitmapSize(bitmap, natural);
    if (natural.cx == width && natural.cy == height) {
      BitBlt(copyDc.Get(), 0, 0, width, height, sourceDc.Get(), 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(copyDc.Get(), COLORONCOLOR);
      StretchBlt(copyDc.Get(), 0, 0, width, height, sourceDc.Get(), 0, 0, natural.cx, natural.cy, SRCCOPY);
    }
  }
  GdiObject<HBITMAP> mask(CreateEffectBitmap(copy.Get(), width, height, effectbits::kInvert | effectbits::kSolid,
                                             useTransparent, transparent, RGB(255, 255, 255)));
  GdiObject<HBITMAP> image(CreateEffectBitmap(copy.Get(), width, height, effectBits, useTransparent, transparent, color));
  if (!mask || !image) return;
  if (offset) {
    if (effectBits & (effectbits::kShadow | effectbits::kSoftShadow)) {
      GdiObject<HBITMAP> silhouette(CreateEffectBitmap(copy.Get(), width, height,
                                                       effectbits::kInvert | effectbits::kSolid, useTransparent,
                                                       transparent, InvertColor(color)));
      BOOL alpha = alphaSeen_;
      DrawShadow(dc, x + dx, y + dy, width, height, silhouette.Get(), (effectBits & effectbits::kSoftShadow) != 0,
                 blurWidth, blurHeight);
      alphaSeen_ = alpha;
    } else {
      x += dx;
      y += dy;
    }
  }
  BlitImage(dc, x, y, width, height, image.Get(), mask.Get(), false);
}

void CEffectPainter::DrawIcon(HDC dc, int x, int y, int width, int height, HICON icon, int effectBits, BOOL offset,
                              int dx, int dy, int blurWidth, int blurHeight, COLORREF color) {
  alphaSeen_ = FALSE;
  if (!dc || !icon || width <= 0 || height <= 0) return;
  const bool shadow = offset && (effectBits & (effectbits::kShadow | effectbits::kSoftShadow));
  if (offset && !shadow) {
    x += dx;
    y += dy;
  }
  if ((effectBits & 0x00FF) == 0 && !(effectBits & effectbits::kInvert) && !shadow) {
    // No colour effect: the system draws the icon with its own mask and alpha.
    DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  SIZE natural;
  GetIconSize(icon, natural);
  HICON copy = (natural.cx == width && natural.cy == height) ? CopyIcon(icon) : ResizeIcon(icon, width, height);
  if (!copy) return;
  ICONINFO info{};
  if (!GetIconInfo(copy, &info)) {
    DestroyIcon(copy);
    return;
  }
  GdiObject<HBITMAP> iconMask(info.hbmMask), iconColor(info.hbmColor);
  if (iconColor) {
    GdiObject<HBITMAP> image(
        (effectBits & effectbits::kSolid)
            ? CreateEffectBitmap(iconMask.Get(), width, height, effectBits, TRUE, RGB(255, 255, 255), color)
            : CreateEffectBitmap(iconColor.Get(), width, height, effectBits, TRUE, RGB(0, 0, 0), color));
    BOOL alpha = alphaSeen_;
    if (shadow) {
      GdiObject<HBITMAP> silhouette(CreateEffectBitmap(iconMask.Get(), width, height,
                                                       effectbits::kInvert | effectbits::kSolid, TRUE,
                                                       RGB(255, 255, 255), InvertColor(color)));
      DrawShadow(dc, x + dx, y + dy, width, height, silhouette.Get(), (effectBits & effectbits::kSoftShadow) != 0,
                 blurWidth, blurHeight);
    }
    alphaSeen_ = alpha;
    if (image) BlitImage(dc, x, y, width, height, image.Get(), iconMask.Get(), true);
  } else {
    DrawIconEx(dc, x, y, copy, width, height, 0, nullptr, DI_NORMAL);  // a monochrome icon has no colour bitmap
  }
  DestroyIcon(copy);
}

void CEffectPainter::DrawStripImage(HDC dc, int x, int y, int width, int height, HBITMAP strip, int index,
                                    int cellWidth, int cellHeight, BOOL useTransparent, COLORREF transparent,
                                    int effectBits, BOOL offset, int dx, int dy, int blurWidth, int blurHeight,
                                    COLORREF color) {
  if (!strip || cellWidth <= 0 || cellHeight <= 0) return;
  SIZE size;
  GetBitmapSize(strip, size);
  const int columns = size.cx / cellWidth, rows = size.cy / cellHeight;
  if (columns == 0 || rows == 0 || index < 0 || index >= columns * rows) return;
  ScreenDc screen;
  GdiObject<HBITMAP> cell(CreateCompatibleBitmap(screen.Get(), cellWidth, cellHeight));
  MemoryDc stripDc(screen.Get()), cellDc(screen.Get());
  if (!cell || !stripDc || !cellDc) return;
  {
    SelectionGuard selectStrip(stripDc.Get(), strip);
    SelectionGuard selectCell(cellDc.Get(), cell.Get());
    BitBlt(cellDc.Get(), 0, 0, cellWidth, cellHeight, stripDc.Get(), (index % columns) * cellWidth,
           (index / columns) * cellHeight, SRCCOPY);
  }
  DrawBitmap(dc, x, y, width, height, cell.Get(), useTransparent, transparent, effectBits, offset, dx, dy, blurWidth,
             blurHeight, color);
}

HICON CEffectPainter::ResizeIcon(HICON icon, int width, int height) {
  if (!icon || width <= 0 || height <= 0) return nullptr;
  return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, 0));
}

void CEffectPainter::AlphaBlendRect(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                                    int sourceY) {
  if (!destination || !source || width <= 0 || height <= 0) return;
  Dib32 top = CreateDib32(width, height), bottom = CreateDib32(width, height);
  MemoryDc topDc(destination), bottomDc(destination);
  if (!top.bitmap || !bottom.bitmap || !topDc || !bottomDc) return;
  SelectionGuard selectTop(topDc.Get(), top.bitmap.Get());
  SelectionGuard selectBottom(bottomDc.Get(), bottom.bitmap.Get());
  BitBlt(topDc.Get(), 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
  BitBlt(bottomDc.Get(), 0, 0, width, height, destination, x, y, SRCCOPY);
  GdiFlush();
  for (int i = 0; i < width * height; ++i) {
    double alpha = (top.bits[i] >> 24) / 255.0;
    bottom.bits[i] = BlendColors(top.bits[i], alpha, bottom.bits[i], 1 - alpha);
  }
  BitBlt(destination, x, y, width, height, bottomDc.Get(), 0, 0, SRCCOPY);
}

void CEffectPainter::DrawShadow(HDC dc, int x, int y, int width, int height, HBITMAP silhouette, BOOL soft,
                                int blurWidth, int blurHeight) {
  if (!dc || !silhouette || width <= 0 || height <= 0) return;
  ScreenDc screen;
  Dib32 shape = CreateDib32(width, height), background = CreateDib32(width, height);
  MemoryDc shapeDc(screen.Get()), backgroundDc(screen.Get()), sourceDc(screen.Get());
  if (!shape.bitmap || !background.bitmap || !shapeDc || !backgroundDc || !sourceDc) return;
  blurWidth = std::max(blurWidth, 1) | 1;  // odd sizes centre the blur box
  blurHeight = std::max(blurHeight, 1) | 1;
  {
    SelectionGuard selectShape(shapeDc.Get(), shape.bitmap.Get());
    SelectionGuard selectSource(sourceDc.Get(), silhouette);
    if (soft) {
      PatBlt(shapeDc.Get(), 0, 0, width, height, WHITENESS);
      SIZE natural;
      GetBitmapSize(silhouette, natural);
      StretchBlt(shapeDc.Get(), blurWidth / 2, blurHeight / 2, width - blurWidth, height - blurHeight, sourceDc.Get(),
                 0, 0, natural.cx, natural.cy, SRCCOPY);
    } else {
      BitBlt(shapeDc.Get(), 0, 0, width, height, sourceDc.Get(), 0, 0, SRCCOPY);
    }
  }
  SelectionGuard selectBackground(backgroundDc.Get(), background.bitmap.Get());
  BitBlt(backgroundDc.Get(), 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  if (soft) {
    std::vector<double> factors = BuildShadowMap(shape, blurWidth, blurHeight);
    for (int i = 0; i < width * height; ++i) background.bits[i] = DarkenColor(background.bits[i], factors[i]);
  } else {
    for (int i = 0; i < width * height; ++i) {
      background.bits[i] = DarkenColor(background.bits[i], (shape.bits[i] & 0xFF) / 255.0);
    }
  }
  BitBlt(dc, x, y, width, height, backgroundDc.Get(), 0, 0, SRCCOPY);
}
