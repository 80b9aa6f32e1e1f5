#include "GalleryIcons.h"

#include "CCommandIcon.h"

namespace
{
constexpr int kSize = 16;

// Draws the shape into a DC: in its colours on the colour bitmap, in black on
// the white mask.
void DrawShape(HDC hDC, GalleryShape shape, COLORREF clrFill, COLORREF clrLine)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clrLine);
    HBRUSH hBrush = ::CreateSolidBrush(clrFill);
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    switch (shape)
    {
    case GalleryShape::Page:
    {
        const POINT pts[] = {{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}};
        ::Polygon(hDC, pts, 5);
        break;
    }
    case GalleryShape::Folder:
    {
        const POINT pts[] = {{1, 4}, {6, 4}, {7, 3}, {14, 3}, {14, 13}, {1, 13}};
        ::Polygon(hDC, pts, 6);
        break;
    }
    case GalleryShape::Disk:
        ::Rectangle(hDC, 2, 2, 14, 14);
        ::Rectangle(hDC, 5, 2, 11, 7);
        break;
    case GalleryShape::Letter:
        ::Rectangle(hDC, 4, 2, 7, 14);
        ::Rectangle(hDC, 4, 2, 11, 5);
        ::Rectangle(hDC, 4, 7, 11, 10);
        ::Rectangle(hDC, 4, 11, 12, 14);
        break;
    case GalleryShape::Cross:
    {
        const POINT a[] = {{2, 4}, {4, 2}, {13, 11}, {11, 13}};
        const POINT b[] = {{11, 2}, {13, 4}, {4, 13}, {2, 11}};
        ::Polygon(hDC, a, 4);
        ::Polygon(hDC, b, 4);
        break;
    }
    case GalleryShape::Arrow:
    {
        const POINT pts[] = {{1, 7}, {7, 1}, {7, 4}, {14, 4}, {14, 10}, {7, 10}, {7, 13}};
        ::Polygon(hDC, pts, 7);
        break;
    }
    }
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
}
} // namespace

CCommandIcon* CreateGalleryIcon(UINT nID, COLORREF clr, GalleryShape shape)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, kSize, kSize);
    HBITMAP hMask = ::CreateBitmap(kSize, kSize, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    const RECT rcAll{0, 0, kSize, kSize};

    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    ::FillRect(hDC, &rcAll, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    DrawShape(hDC, shape, clr, RGB(40, 40, 40));
    ::SelectObject(hDC, hMask);
    ::FillRect(hDC, &rcAll, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DrawShape(hDC, shape, RGB(0, 0, 0), RGB(0, 0, 0));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = hColor;
    info.hbmMask = hMask;
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);

    auto* pIcon = new CCommandIcon(nID, kSize, kSize, static_cast<CCommandIconSet*>(nullptr));
    pIcon->SetImage(CIconImage(hIcon));
    ::DestroyIcon(hIcon);
    return pIcon;
}

void ReleaseGalleryIcon(CCommandIcon* pIcon)
{
    if (pIcon != nullptr)
        pIcon->InternalRelease();
}
