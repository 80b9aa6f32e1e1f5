#include "CImageEditorPreview.h"

#include "AlphaBitmaps.h"
#include "CColorTable.h"

namespace
{
constexpr int kLeftMargin = 10;
}

void CImageEditorPreview::SetImage(const CEditorImage& image)
{
    m_image = image;
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CImageEditorPreview::Paint(HDC hDC)
{
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CDC* pDC = CDC::FromHandle(hDC);
    pDC->FillSolidRect(rcClient, GetColorTable()->GetColor(kSlotButtonFace));
    if (m_image.IsEmpty())
        return;
    const int cx = m_image.GetWidth();
    const int cy = m_image.GetHeight();
    const int x = kLeftMargin;
    const int y = (rcClient.Height() - cy) / 2;
    // Two 3D frames around the picture: a sunken outer and an inner one.
    CRect rcFrame(x - 2, y - 2, x + cx + 2, y + cy + 2);
    pDC->Draw3dRect(rcFrame, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
    if (m_image.HasAlpha())
    {
        HBITMAP hPremultiplied = PreMultiplyAlphaBitmap(m_image.GetBitmap());
        if (hPremultiplied != nullptr)
        {
            DrawAlphaBitmap(hDC, hPremultiplied, x, y, cx, cy);
            ::DeleteObject(hPremultiplied);
        }
        return;
    }
    for (int iy = 0; iy < cy; ++iy)
        for (int ix = 0; ix < cx; ++ix)
        {
            const COLORREF clr = m_image.GetPixel(ix, iy);
            if (clr != CEditorImage::kKeyColor)
                ::SetPixelV(hDC, x + ix, y + iy, clr);
        }
}

LRESULT CImageEditorPreview::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Paint(hDC);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
