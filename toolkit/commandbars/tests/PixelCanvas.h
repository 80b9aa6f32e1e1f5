// A 32-bit off-screen canvas that tests draw into and read pixels back from.
#pragma once

#include "Framework.h"

class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy, COLORREF clrFill);
    ~CPixelCanvas();
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;

    CDC* DC() { return &m_dc; }
    COLORREF Pixel(int x, int y) const;
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // The first pixel outside the rectangle (and right of nIgnoreLeft) that
    // differs from the fill colour; (-1, -1) when there is none.
    CPoint FirstChangeOutside(const CRect& rc, int nIgnoreLeft = 0) const;

private:
    int m_cx;
    int m_cy;
    COLORREF m_clrFill;
    CDC m_dc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    const DWORD* m_pBits = nullptr;
};

// Colour channels each within the tolerance.
bool ColorNear(COLORREF a, COLORREF b, int nTolerance);
