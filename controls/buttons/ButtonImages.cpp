#include "ButtonImages.h"

#include "ColorMath.h"
#include "GdiHandles.h"

namespace {

template <typename Convert>
HBITMAP ConvertBitmap(HBITMAP bitmap, int width, int height, Convert convert) {
  ScreenDc screen;
  MemoryDc source(screen.Get()), target(screen.Get());
  if (!source || !target || width <= 0 || height <= 0) return nullptr;
  GdiObject<HBITMAP> result(::CreateCompatibleBitmap(screen.Get(), width, height));
  if (!result) return nullptr;
  SelectionGuard from(source.Get(), bitmap);
  SelectionGuard into(target.Get(), result.Get());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ::SetPixel(target.Get(), x, y, convert(::GetPixel(source.Get(), x, y)));
    }
  }
  return result.Release();
}

template <typename Convert>
HICON ConvertIcon(HICON icon, Convert convert) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return nullptr;
  GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
  int width = 0, height = 0;
  if (!colour || !GetIconSize(icon, width, height)) return nullptr;
  GdiObject<HBITMAP> converted(ConvertBitmap(colour.Get(), width, height, [&](COLORREF pixel) {
    return pixel == 0 ? pixel : convert(pixel);  // black stays black
  }));
  if (!converted) return nullptr;
  ICONINFO made{TRUE, 0, 0, mask.Get(), converted.Get()};
  return ::CreateIconIndirect(&made);
}

}  // namespace

bool GetIconSize(HICON icon, int& width, int& height) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return false;
  GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  if (colour && ::GetObjectW(colour.Get(), sizeof(bitmap), &bitmap)) {
    width = bitmap.bmWidth;
    height = bitmap.bmHeight;
    return true;
  }
  if (mask && ::GetObjectW(mask.Get(), sizeof(bitmap), &bitmap)) {
    width = bitmap.bmWidth;
    height = bitmap.bmHeight / 2;
    return true;
  }
  return false;
}

HBITMAP MakeMask(HBITMAP bitmap, int width, int height, COLORREF transparent) {
  ScreenDc screen;
  MemoryDc source(screen.Get()), target(screen.Get());
  GdiObject<HBITMAP> mask(::CreateBitmap(width, height, 1, 1, nullptr));
  if (!source || !target || !mask) return nullptr;
  SelectionGuard from(source.Get(), bitmap);
  SelectionGuard into(target.Get(), mask.Get());
  ::SetBkColor(source.Get(), transparent);
  ::BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
  ::SetTextColor(source.Get(), 0xFFFFFF);
  ::SetBkColor(source.Get(), 0);
  ::BitBlt(source.Get(), 0, 0, width, height, target.Get(), 0, 0, SRCAND);
  return mask.Release();
}

HBITMAP MakeGreyBitmap(HBITMAP bitmap, int width, int height, COLORREF transparent) {
  return ConvertBitmap(bitmap, width, height,
                       [transparent](COLORREF p) { return p == transparent ? p : colors::GreyOf(p); });
}

HBITMAP MakeDarkBitmap(HBITMAP bitmap, int width, int height, COLORREF transparent) {
  return ConvertBitmap(bitmap, width, height,
                       [transparent](COLORREF p) { return p == transparent ? p : colors::BlendTowardBlack(p, 0.25); });
}

HICON MakeGreyIcon(HICON icon) { return ConvertIcon(icon, [](COLORREF p) { return colors::GreyOf(p); }); }

HICON MakeDarkIcon(HICON icon) {
  return ConvertIcon(icon, [](COLORREF p) { return colors::BlendTowardBlack(p, 0.25); });
}
