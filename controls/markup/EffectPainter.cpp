// Fills, gradients, textures, frames and lines of the effect painter.
#include "EffectPainter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "EffectMath.h"
#include "GdiHandles.h"

namespace {

int PenStyleFor(int type) {
  switch (type) {
    case 2: return PS_DASH;
    case 3: return PS_DOT;
    case 4: return PS_DASHDOT;
    case 5: return PS_DASHDOTDOT;
    default: return PS_SOLID;
  }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(color));
  if (brush) FillRect(dc, &rect, brush.Get());
}

DWORD Channels(int red, int green, int blue) {
  return (static_cast<DWORD>(red & 0xFF) << 16) | (static_cast<DWORD>(green & 0xFF) << 8) | static_cast<DWORD>(blue & 0xFF);
}

}  // namespace

void CEffectPainter::GetIconSize(HICON icon, SIZE& size) {
  size = SIZE{0, 0};
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return;
  size = SIZE{static_cast<LONG>(info.xHotspot * 2), static_cast<LONG>(info.yHotspot * 2)};
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

void CEffectPainter::GetBitmapSize(HBITMAP bitmap, SIZE& size) {
  size = SIZE{0, 0};
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) size = SIZE{info.bmWidth, std::abs(info.bmHeight)};
}

DWORD CEffectPainter::ToGrey(DWORD pixel) {
  int grey = static_cast<int>(0.299 * ((pixel >> 16) & 0xFF) + 0.587 * ((pixel >> 8) & 0xFF) + 0.114 * (pixel & 0xFF));
  return Channels(grey, grey, grey);
}

DWORD CEffectPainter::InvertColor(DWORD pixel) {
  return Channels(255 - ((pixel >> 16) & 0xFF), 255 - ((pixel >> 8) & 0xFF), 255 - (pixel & 0xFF));
}

DWORD CEffectPainter::DarkenColor(DWORD pixel, double factor) {
  if (factor < 0 || factor >= 1) return pixel;
  return Channels(static_cast<int>(((pixel >> 16) & 0xFF) * factor), static_cast<int>(((pixel >> 8) & 0xFF) * factor),
                  static_cast<int>((pixel & 0xFF) * factor));
}

DWORD CEffectPainter::LightenColor(DWORD pixel, double factor) {
  if (factor <= 0 || factor > 1) return pixel;
  auto lighten = [&](int v) { return std::min(255, static_cast<int>(v * (1 + factor))); };
  return Channels(lighten((pixel >> 16) & 0xFF), lighten((pixel >> 8) & 0xFF), lighten(pixel & 0xFF));
}

DWORD CEffectPainter::BlendColors(DWORD a, double weightA, DWORD b, double weightB) {
  auto blend = [&](int shift) {
    return std::min(255, static_cast<int>(((a >> shift) & 0xFF) * weightA + ((b >> shift) & 0xFF) * weightB));
  };
  return Channels(blend(16), blend(8), blend(0));
}

void CEffectPainter::FillEffect(HDC dc, int effect, const RECT& rect, COLORREF c1, COLORREF c2, COLORREF c3,
                                int granularity, int blend) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!dc || width <= 0 || height <= 0) return;
  const int halfWidth = width / 2, halfHeight = height / 2;
  RECT first = rect, second = rect;
  switch (effect) {
    case 1: FillGradient(dc, rect, c1, c3, TRUE); return;
    case 2: FillGradient(dc, rect, c1, c3, FALSE); return;
    case 3:
    case 5:
      first.right = second.left = rect.left + halfWidth;
      FillGradient(dc, first, c1, effect == 3 ? c3 : c2, TRUE);
      FillGradient(dc, second, effect == 3 ? c3 : c2, effect == 3 ? c1 : c3, TRUE);
      return;
    case 4:
    case 6:
      first.bottom = second.top = rect.top + halfHeight;
      FillGradient(dc, first, c1, effect == 4 ? c3 : c2, FALSE);
      FillGradient(dc, second, effect == 4 ? c3 : c2, effect == 4 ? c1 : c3, FALSE);
      return;
    default: break;
  }
  if (effect >= 7 && effect <= 15) {
    markup::TexturePixels texture;
    // A texture without meaning on this size (or too large to build) falls back
    // to colour 1 rather than dividing by zero.
    if (markup::BuildTexture(effect, width, height, c1, c2, c3, granularity, blend, [] { return std::rand(); }, texture) &&
        texture_.Create(width, height, 8)) {
      for (int i = 0; i < 256; ++i) {
        COLORREF entry = texture.palette[i];
        texture_.SetPaletteEntry(i, GetRValue(entry), GetGValue(entry), GetBValue(entry));
      }
      BYTE* bits = texture_.GetBits();
      for (int row = 0; row < height; ++row) {
        std::memcpy(bits + static_cast<size_t>(row) * texture_.Stride(), &texture.At(0, row), width);
      }
      texture_.Draw(dc, rect.left, rect.top);
      return;
    }
  }
  FillSolid(dc, rect, c1);
}

void CEffectPainter::FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, BOOL horizontal) {
  if (!dc) return;
  const int size = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  if (size <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
  for (int k = 0; k < markup::kGradientBands; ++k) {
    markup::GradientBand band = markup::GradientBandAt(k, horizontal ? rect.left : rect.top, size, from, to);
    if (band.end <= band.start) continue;
    RECT part = rect;
    if (horizontal) {
      part.left = band.start;
      part.right = band.end;
    } else {
      part.top = band.start;
      part.bottom = band.end;
    }
    FillSolid(dc, part, band.color);
  }
}

void CEffectPainter::TileBitmap(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                                int tileWidth, int tileHeight) {
  if (!dc || !source || tileWidth <= 0 || tileHeight <= 0) return;
  for (int column = 0; column < width; column += tileWidth) {
    for (int row = 0; row < height; row += tileHeight) {
      BitBlt(dc, x + column, y + row, std::min(tileWidth, width - column), std::min(tileHeight, height - row), source,
             sourceX, sourceY, SRCCOPY);
    }
  }
}

void CEffectPainter::DrawFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int type,
                               int penWidth) {
  if (!dc || type == 0 || penWidth <= 0) return;
  const int w = penWidth, h2 = w / 2;
  const int x = rect.left + h2, top = rect.top + h2, right = rect.right - h2, bottom = rect.bottom - h2;
  GdiObject<HPEN> pen(CreatePen(PenStyleFor(type), w, topLeft));
  if (!pen) return;
  HGDIOBJ previous = SelectObject(dc, pen.Get());
  POINT upper[] = {{x, bottom}, {x, top}, {right, top}};
  Polyline(dc, upper, 3);
  if (type == 6) {
    POINT inner[] = {{x + 2 * w, bottom - 2 * w}, {x + 2 * w, top + 2 * w}, {right - 2 * w, top + 2 * w}};
    Polyline(dc, inner, 3);
  }
  GdiObject<HPEN> lowerPen;
  if (bottomRight != topLeft) {
    lowerPen.Reset(CreatePen(PenStyleFor(type), w, bottomRight));
    if (lowerPen) SelectObject(dc, lowerPen.Get());
  }
  POINT lower[] = {{right, top}, {right, bottom}, {x, bottom}};
  Polyline(dc, lower, 3);
  if (type == 6) {
    POINT inner[] = {{right - 2 * w, top + 2 * w}, {right - 2 * w, bottom - 2 * w}, {x + 2 * w, bottom - 2 * w}};
    Polyline(dc, inner, 3);
  }
  SelectObject(dc, previous);
}

void CEffectPainter::DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int type, int penWidth) {
  if (!dc || type == 0 || penWidth <= 0) return;
  GdiObject<HPEN> pen(CreatePen(PenStyleFor(type), penWidth, color));
  if (!pen) return;
  SelectionGuard select(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  if (type == 6) {
    const int gap = 2 * penWidth;
    if (x1 != x2) {
      y1 += gap;
      y2 += gap;
    }
    if (y1 == y2) {
      MoveToEx(dc, x1, y1, nullptr);
      LineTo(dc, x2, y2);
    } else {
      MoveToEx(dc, x1 + gap, y1, nullptr);
      LineTo(dc, x2 + gap, y2);
    }
  }
}
