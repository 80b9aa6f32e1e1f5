// Gradient fills (the system's GradientFill from msimg32 when it is there,
// own strips otherwise), style-gradient fills, and a few pixel and clipping
// tricks. Called as CDrawTools::GradientFill(...) on the one process-wide
// record of the bound library.
#pragma once

#include "Framework.h"
#include "core/StyleColor.h"

class CDrawTools
{
public:
    // Nothing for an empty rectangle; solid in a when the colours are equal
    // or the DC has 8 bits per pixel or fewer.
    static void AFXAPI GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    // The part of the fill of lpRect inside lpClip, with the end colours the
    // whole fill has at the clip's edges.
    static void AFXAPI GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                           LPCRECT lpClip = nullptr);
    static void AFXAPI FillStyleGradient(CDC* pDC, LPCRECT lpRect, const CStyleGradient& gradient, BOOL bHorz,
                                         LPCRECT lpClip = nullptr);
    // x * a + (1 - x) * b per channel.
    static COLORREF AFXAPI BlendColors(COLORREF crA, COLORREF crB, float x);
    // Takes the four corner pixels out of the clip region.
    static void AFXAPI ExcludeCorners(CDC* pDC, LPCRECT lpRect);
    // The points come in pairs (pixel, offset); each pixel becomes the average
    // of itself and the pixel at pixel + offset. The alpha byte of a 32-bit
    // bitmap is kept. A last pixel without its offset stays as it is.
    static void AFXAPI BlendPixelPairs(CDC* pDC, const POINT* pPoints, int nCount);

    // Whether msimg32's GradientFill was found.
    static BOOL AFXAPI IsGradientFillBound();
    // Tests draw the own strips with this set.
    static void AFXAPI ForceOwnGradientStrips(BOOL bForce);

private:
    static void StripFill(CDC* pDC, const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
};

// An 8x8 checkerboard in slot 15 and slot 20 (the checked look of buttons).
void AFXAPI DrawDitherPattern(CDC* pDC, LPCRECT lpRect);
void AFXAPI DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF color);

// Mnemonic markers: StripMnemonics removes every single '&' and makes "&&"
// one '&'; RemoveSingleAmpersands keeps "&&" and a final '&'.
void AFXAPI StripMnemonics(CString& strText);
void AFXAPI RemoveSingleAmpersands(CString& strText);

// VK_LEFT and VK_RIGHT change places in a right-to-left window.
void AFXAPI KeyToLayout(CWnd* pWnd, UINT& nChar);

// The work area of the monitor of a rectangle, a window or a point; the
// primary work area without multi-monitor functions or monitor.
CRect AFXAPI GetWorkArea(const RECT& rect);
CRect AFXAPI GetWorkArea(const CWnd* pWnd);
CRect AFXAPI GetWorkArea(POINT point);

// Whether the top-level parent owner of the window is the active one.
BOOL AFXAPI IsTopLevelWindowActive(const CWnd* pWnd);
