#include "IconTestPictures.h"

#include "AlphaBitmaps.h"

HBITMAP MakeTestAlphaBitmap(int w, int h, COLORREF clr, BYTE alpha)
{
    BITMAPINFO info = TopDown32BitmapInfo(w, h);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    auto* pPixel = static_cast<BYTE*>(pBits);
    for (int i = 0; i < w * h; ++i, pPixel += 4)
    {
        pPixel[0] = GetBValue(clr);
        pPixel[1] = GetGValue(clr);
        pPixel[2] = GetRValue(clr);
        pPixel[3] = alpha;
    }
    return hBitmap;
}

HICON MakeTestIcon(int w, int h, COLORREF clr, BYTE alpha)
{
    HBITMAP hColour = MakeTestAlphaBitmap(w, h, clr, alpha);
    std::vector<BYTE> maskBits(static_cast<size_t>((w + 15) / 16 * 2) * h, 0);
    HBITMAP hMask = ::CreateBitmap(w, h, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}

std::vector<BYTE> ReadPixels(HBITMAP hBitmap)
{
    BITMAP bitmap = {};
    if (!::GetObjectW(hBitmap, sizeof(bitmap), &bitmap))
        return {};
    const int h = std::abs(bitmap.bmHeight);
    BITMAPINFO info = TopDown32BitmapInfo(bitmap.bmWidth, h);
    std::vector<BYTE> pixels(static_cast<size_t>(bitmap.bmWidth) * h * 4);
    HDC hDC = ::GetDC(nullptr);
    ::GetDIBits(hDC, hBitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDC);
    return pixels;
}

std::vector<BYTE> ReadIconPixels(HICON hIcon)
{
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return {};
    std::vector<BYTE> pixels = ReadPixels(info.hbmColor);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}
