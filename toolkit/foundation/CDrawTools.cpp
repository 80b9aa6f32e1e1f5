#include "CDrawTools.h"

#include "BoundFunction.h"
#include "CColorTable.h"
#include "core/GradientGeometry.h"
#include "core/MnemonicText.h"

#include <string>

namespace {

using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// msimg32 bound once for the process and freed at exit.
class CMsimg32
{
public:
    CMsimg32() : m_hModule(::LoadLibraryW(L"msimg32.dll"))
    {
        if (m_hModule)
            m_pfnGradientFill = BoundFunction<GradientFillFn>(m_hModule, "GradientFill");
    }
    ~CMsimg32()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }
    CMsimg32(const CMsimg32&) = delete;
    CMsimg32& operator=(const CMsimg32&) = delete;

    GradientFillFn GradientFill() const { return m_bForceStrips ? nullptr : m_pfnGradientFill; }
    BOOL IsBound() const { return m_pfnGradientFill != nullptr; }
    void ForceStrips(bool force) { m_bForceStrips = force; }

private:
    HMODULE m_hModule;
    GradientFillFn m_pfnGradientFill = nullptr;
    bool m_bForceStrips = false;
};

CMsimg32 g_msimg32;

kit::KitRect ToKit(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToRect(const kit::KitRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// A 32-bit DIB section selected into a DC, whose pixels are written directly
// so that their alpha byte survives (SetPixel would clear it).
class CDib32Pixels
{
public:
    explicit CDib32Pixels(HDC hDC) : m_hDC(hDC)
    {
        HGDIOBJ hBitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
        DIBSECTION dib{};
        if (!hBitmap || ::GetObjectW(hBitmap, sizeof(dib), &dib) != sizeof(dib))
            return;
        if (dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits)
            return;
        ::GdiFlush();
        m_pBits = static_cast<BYTE*>(dib.dsBm.bmBits);
        m_width = dib.dsBm.bmWidth;
        m_height = dib.dsBm.bmHeight;
        m_stride = dib.dsBm.bmWidthBytes;
        m_bottomUp = dib.dsBmih.biHeight > 0;
    }

    bool IsDirect() const { return m_pBits != nullptr; }

    COLORREF Get(POINT pt) const
    {
        if (!m_pBits)
            return ::GetPixel(m_hDC, pt.x, pt.y);
        const BYTE* p = Address(pt);
        return p ? RGB(p[2], p[1], p[0]) : CLR_INVALID;
    }

    void Set(POINT pt, COLORREF color)
    {
        if (!m_pBits) {
            ::SetPixelV(m_hDC, pt.x, pt.y, color);
            return;
        }
        if (BYTE* p = Address(pt)) {
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
        }
    }

private:
    BYTE* Address(POINT pt) const
    {
        ::LPtoDP(m_hDC, &pt, 1);
        if (pt.x < 0 || pt.y < 0 || pt.x >= m_width || pt.y >= m_height)
            return nullptr;
        const int row = m_bottomUp ? m_height - 1 - pt.y : pt.y;
        return m_pBits + static_cast<size_t>(row) * m_stride + static_cast<size_t>(pt.x) * 4;
    }

    HDC m_hDC;
    BYTE* m_pBits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    bool m_bottomUp = true;
};

}  // namespace

void AFXAPI CDrawTools::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    if (!lpRect || ::IsRectEmpty(lpRect))
        return;
    if (crFrom == crTo || IsLowColorDC(pDC->GetSafeHdc())) {
        pDC->FillSolidRect(lpRect, crFrom);
        return;
    }
    GradientFillFn pfnGradientFill = g_msimg32.GradientFill();
    if (!pfnGradientFill) {
        StripFill(pDC, *lpRect, crFrom, crTo, bHorz);
        return;
    }
    TRIVERTEX vertices[2] = {
        {lpRect->left, lpRect->top, static_cast<COLOR16>(GetRValue(crFrom) << 8),
         static_cast<COLOR16>(GetGValue(crFrom) << 8), static_cast<COLOR16>(GetBValue(crFrom) << 8), 0},
        {lpRect->right, lpRect->bottom, static_cast<COLOR16>(GetRValue(crTo) << 8),
         static_cast<COLOR16>(GetGValue(crTo) << 8), static_cast<COLOR16>(GetBValue(crTo) << 8), 0},
    };
    GRADIENT_RECT gradientRect{0, 1};
    pfnGradientFill(pDC->GetSafeHdc(), vertices, 2, &gradientRect, 1,
                    bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CDrawTools::StripFill(CDC* pDC, const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    // Only the strips that can show: the clip box limits the work.
    RECT area = rect;
    RECT clipBox{};
    if (pDC->GetClipBox(&clipBox) != ERROR && !::IsRectEmpty(&clipBox))
        ::IntersectRect(&area, &clipBox, &rect);
    if (bHorz) {
        for (int x = area.left; x < area.right; ++x)
            pDC->FillSolidRect(x, area.top, 1, area.bottom - area.top,
                               kit::StripColorAt(x, rect.left, rect.right, crFrom, crTo));
    } else {
        for (int y = area.top; y < area.bottom; ++y)
            pDC->FillSolidRect(area.left, y, area.right - area.left, 1,
                               kit::StripColorAt(y, rect.top, rect.bottom, crFrom, crTo));
    }
}

void AFXAPI CDrawTools::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                            LPCRECT lpClip)
{
    if (!lpRect)
        return;
    const kit::KitRect clip = lpClip ? ToKit(*lpClip) : kit::KitRect{};
    const auto span = kit::ClipGradient(ToKit(*lpRect), crFrom, crTo, bHorz != FALSE, lpClip ? &clip : nullptr);
    if (!span)
        return;
    const RECT part = ToRect(span->rect);
    GradientFill(pDC, &part, span->from, span->to, bHorz);
}

void AFXAPI CDrawTools::FillStyleGradient(CDC* pDC, LPCRECT lpRect, const CStyleGradient& gradient, BOOL bHorz,
                                          LPCRECT lpClip)
{
    if (!lpRect)
        return;
    for (const kit::GradientSpan& part : kit::SplitStyleGradient(ToKit(*lpRect), gradient, bHorz != FALSE)) {
        const RECT rect = ToRect(part.rect);
        GradientFillClipped(pDC, &rect, part.from, part.to, bHorz, lpClip);
    }
}

COLORREF AFXAPI CDrawTools::BlendColors(COLORREF crA, COLORREF crB, float x)
{
    return kit::BlendColorsFraction(crA, crB, x);
}

void AFXAPI CDrawTools::ExcludeCorners(CDC* pDC, LPCRECT lpRect)
{
    const RECT& r = *lpRect;
    pDC->ExcludeClipRect(r.left, r.top, r.left + 1, r.top + 1);
    pDC->ExcludeClipRect(r.right - 1, r.top, r.right, r.top + 1);
    pDC->ExcludeClipRect(r.left, r.bottom - 1, r.left + 1, r.bottom);
    pDC->ExcludeClipRect(r.right - 1, r.bottom - 1, r.right, r.bottom);
}

void AFXAPI CDrawTools::BlendPixelPairs(CDC* pDC, const POINT* pPoints, int nCount)
{
    if (!pPoints || nCount < 2)
        return;
    CDib32Pixels pixels(pDC->GetSafeHdc());
    // Whole pairs only: an odd count leaves the last pixel without an offset.
    for (int i = 0; i + 1 < nCount; i += 2) {
        const POINT pixel = pPoints[i];
        const POINT other{pixel.x + pPoints[i + 1].x, pixel.y + pPoints[i + 1].y};
        const COLORREF a = pixels.Get(pixel);
        const COLORREF b = pixels.Get(other);
        if (a == CLR_INVALID || b == CLR_INVALID)
            continue;
        pixels.Set(pixel, RGB((GetRValue(a) + GetRValue(b)) >> 1, (GetGValue(a) + GetGValue(b)) >> 1,
                              (GetBValue(a) + GetBValue(b)) >> 1));
    }
}

BOOL AFXAPI CDrawTools::IsGradientFillBound()
{
    return g_msimg32.IsBound();
}

void AFXAPI CDrawTools::ForceOwnGradientStrips(BOOL bForce)
{
    g_msimg32.ForceStrips(bForce != FALSE);
}

void AFXAPI DrawDitherPattern(CDC* pDC, LPCRECT lpRect)
{
    static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap pattern;
    if (!pattern.CreateBitmap(8, 8, 1, 1, kRows))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&pattern))
        return;
    CColorTable* pTable = GetColorTable();
    const COLORREF oldBack = pDC->SetBkColor(pTable->GetColor(COLOR_BTNFACE));
    const COLORREF oldText = pDC->SetTextColor(pTable->GetColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), brush.m_hObject);
    pDC->PatBlt(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, PATCOPY);
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
}

void AFXAPI DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CBrush brush(color);
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOldPen = ::SelectObject(hDC, pen.m_hObject);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, brush.m_hObject);
    const POINT points[3] = {pt0, pt1, pt2};
    ::Polygon(hDC, points, 3);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
}

void AFXAPI StripMnemonics(CString& strText)
{
    const std::wstring stripped = kit::StripMnemonicMarkers(std::wstring(strText.GetString(), strText.GetLength()));
    strText = CString(stripped.c_str());
}

void AFXAPI RemoveSingleAmpersands(CString& strText)
{
    const std::wstring kept =
        kit::RemoveSingleAmpersandMarkers(std::wstring(strText.GetString(), strText.GetLength()));
    strText = CString(kept.c_str());
}

void AFXAPI KeyToLayout(CWnd* pWnd, UINT& nChar)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    if (!(pWnd->GetExStyle() & WS_EX_LAYOUTRTL))
        return;
    if (nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (nChar == VK_RIGHT)
        nChar = VK_LEFT;
}
