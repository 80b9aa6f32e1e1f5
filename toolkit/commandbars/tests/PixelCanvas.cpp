#include "PixelCanvas.h"

#include <cstdlib>

CPixelCanvas::CPixelCanvas(int cx, int cy, COLORREF clrFill) : m_cx(cx), m_cy(cy), m_clrFill(clrFill)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<const DWORD*>(pBits);
    m_dc.Attach(::CreateCompatibleDC(nullptr));
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    m_dc.FillSolidRect(CRect(0, 0, cx, cy), clrFill);
}

CPixelCanvas::~CPixelCanvas()
{
    ::SelectObject(m_dc.m_hDC, m_hOld);
    m_dc.DeleteDC();
    ::DeleteObject(m_hBitmap);
}

COLORREF CPixelCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    const DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

CPoint CPixelCanvas::FirstChangeOutside(const CRect& rc, int nIgnoreLeft) const
{
    for (int y = 0; y < m_cy; ++y)
        for (int x = nIgnoreLeft; x < m_cx; ++x)
        {
            if (x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom)
                continue;
            if (Pixel(x, y) != m_clrFill)
                return CPoint(x, y);
        }
    return CPoint(-1, -1);
}

bool ColorNear(COLORREF a, COLORREF b, int nTolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}
