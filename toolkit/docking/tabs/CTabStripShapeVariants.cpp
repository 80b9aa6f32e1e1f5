// The appearance sets that build on the common ones: hot 3D, buttons, flat,
// trapezoid and stacked bars.
#include <algorithm>

#include "CTabStrip.h"
#include "CTabStripDrawer.h"
#include "CTabStripShape.h"
#include "DeviceContexts.h"
#include "GdiSelectors.h"
#include "window/CDC.h"

namespace {

void TabLine(CDC* pDC, COLORREF crLine, int x1, int y1, int x2, int y2)
{
    if (crLine == kNoColor)
        return;
    CPenSelector pen(pDC->GetSafeHdc(), crLine);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

}  // namespace

COLORREF FillTabPolygon(CDC* pDC, CTabStripDrawer* pDrawer, CKitTabManagerItem* pItem, const POINT* pPoints,
                        int nCount, BOOL bAbsolute)
{
    std::vector<POINT> points(pPoints, pPoints + nCount);
    if (!bAbsolute)
        for (size_t i = 1; i < points.size(); ++i)
        {
            points[i].x += points[i - 1].x;
            points[i].y += points[i - 1].y;
        }
    const HRGN hPolygon = ::CreatePolygonRgn(points.data(), nCount, ALTERNATE);
    if (!hPolygon)
        return kNoColor;
    const HDC hDC = pDC->GetSafeHdc();
    const HRGN hSaved = ::CreateRectRgn(0, 0, 0, 0);
    const BOOL bHadClip = ::GetClipRgn(hDC, hSaved) == 1;
    ::ExtSelectClipRgn(hDC, hPolygon, RGN_AND);
    CRect box;
    ::GetRgnBox(hPolygon, &box);
    COLORREF crFill = kNoColor;
    CBitmap bitmap;
    if (!box.IsRectEmpty() && bitmap.CreateCompatibleBitmap(pDC, box.Width(), box.Height()))
    {
        CBitmapDC memory(pDC, &bitmap);
        crFill = pDrawer->GetPalette()->FillTab(&memory, CRect(0, 0, box.Width(), box.Height()), pItem);
        ::BitBlt(hDC, box.left, box.top, box.Width(), box.Height(), memory.GetSafeHdc(), 0, 0, SRCCOPY);
    }
    ::SelectClipRgn(hDC, bHadClip ? hSaved : nullptr);
    ::DeleteObject(hSaved);
    ::DeleteObject(hPolygon);
    return crFill;
}

void CTabStripShapeHot3D::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    const CTabStrip* pStrip = pItem->m_pStrip;
    if (pStrip->GetSelectedItem() == pItem || pStrip->GetHotItem() == pItem)
        CTabStripShape3D::DrawTab(pDC, pItem);
    else
        m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

CRect CTabStripShapeButton::PaintHeader(CTabStrip* pStrip, CDC* /*pDC*/, const CRect& rect)
{
    return GetHeaderRect(rect, pStrip);
}

void CTabStripShapeButton::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    m_pDrawer->GetPalette()->DrawTabFrame(pDC, pItem->m_rect, pItem);
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

CRect CTabStripShapeFlat::PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    const CRect header = FillHeaderBand(pStrip, pDC, rect);
    const CRect client = GetClientRect(rect, pStrip);
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const COLORREF crLight = pPalette->m_clrHighlight.GetValue();
    const COLORREF crDark = pPalette->m_clrTextSelected.GetValue();
    if (m_pDrawer->m_nClientFrame == 0)
    {
        pPalette->FillClient(pDC, client, pStrip);
        pDC->Draw3dRect(&client, crLight, crDark);
    }
    else if (m_pDrawer->m_nClientFrame == 1)
    {
        DrawEdgeLine(pDC, client, pStrip->GetPosition(), crLight, crDark);
    }
    return header;
}

void CTabStripShapeFlat::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    CRect rect = pItem->m_rect;
    if (pStrip->GetSelectedItem() == pItem)
    {
        pPalette->FillTab(pDC, rect, pItem);
        CTabStripDrawer::OrientedInflate(rect, CRect(0, 0, 0, 1), pStrip->GetPosition());
        pDC->Draw3dRect(&rect, pPalette->m_clrHighlight.GetValue(), pPalette->m_clrTextSelected.GetValue());
    }
    else
    {
        const COLORREF crOutline = pPalette->m_clrOutline.GetValue();
        if (pStrip->IsHorizontal())
            pDC->FillSolidRect(rect.right, rect.top + 2, 1, rect.Height() - 4, crOutline);
        else
            pDC->FillSolidRect(rect.left + 2, rect.bottom, rect.Width() - 4, 1, crOutline);
    }
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

CRect CTabStripShapeTrapezoid::GetMargins() const
{
    CRect margins = m_rectMargins;
    margins.left += m_nTextRowHeight / 2;
    margins.right += m_nTextRowHeight / 2;
    return margins;
}

void CTabStripShapeTrapezoid::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const int nPosition = pStrip->GetPosition();
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    // Drawn as for a top strip; other positions mirror the depth axis.
    CRect r = pItem->m_rect;
    const BOOL bBottom = nPosition == 2;
    if (bBottom)
        r.top += 1;
    else
        r.bottom -= 1;
    const int d = r.Height();
    const int e = d / 2;
    r.OffsetRect(-d / 4, 0);
    const int L = r.left, R = r.right;
    const int T = bBottom ? r.bottom : r.top;
    const int B = bBottom ? r.top : r.bottom;
    const int s = bBottom ? -1 : 1;  // towards the strip's outer edge is -s
    const POINT trapezoid[] = {{L, B}, {L + e, B - s * 2 * e}, {R, B - s * 2 * e}, {R + e, B}};
    const COLORREF crFill = FillTabPolygon(pDC, m_pDrawer, pItem, trapezoid, 4, TRUE);
    const CStyleColor* c = bSelected ? pPalette->m_trapezoidSelected : pPalette->m_trapezoidOther;
    const COLORREF crInnerOuter = (bBottom ? c[5] : c[3]).GetValue();
    const COLORREF crOuter = (bBottom ? c[1] : c[0]).GetValue();
    TabLine(pDC, crInnerOuter, L + 1, B - s, L + e + 1, T);
    TabLine(pDC, crInnerOuter, L + e, T + s, R, T + s);
    TabLine(pDC, c[4].GetValue(), R - 1, T, R + e - 1, B);
    TabLine(pDC, crOuter, L, B - s, L + e, T);
    TabLine(pDC, crOuter, L + e, T, R, T);
    TabLine(pDC, c[2].GetValue(), R, T, R + e, B);
    if (bSelected && crFill != kNoColor)
        pDC->FillSolidRect(L, B, R - L + e, 1, crFill);
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

CRect CTabStripShapeStacked::GetHeaderRect(const CRect& /*rect*/, const CTabStrip* /*pStrip*/) const
{
    return CRect();
}

CRect CTabStripShapeStacked::GetClientRect(const CRect& rect, const CTabStrip* pStrip) const
{
    const CKitTabManagerItem* pSelected = pStrip->GetSelectedItem();
    if (!pSelected)
        return rect;
    const int H = GetRowHeight(pStrip);
    const int k = pSelected->m_nIndex;
    const int n = pStrip->GetItemCount();
    CRect client = rect;
    client.top = rect.top + H * (k + 1) + 1;
    client.bottom = std::max<LONG>(rect.bottom - H * (n - k - 1), client.top + H);
    const BOOL bFramed = m_pDrawer->m_nClientFrame != 2;
    if (k == n - 1 && bFramed)
        client.bottom -= 1;
    if (bFramed)
        client.DeflateRect(1, 0);
    return client;
}

void CTabStripShapeStacked::LayoutTabs(CTabStrip* pStrip, CDC* pDC, const CRect& rectIn)
{
    CRect rect = rectIn;
    CTabStripDrawer::OrientedDeflate(rect, m_pDrawer->m_rectHeaderMargins, pStrip->GetPosition());
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
    {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        pItem->m_nLength = pItem->m_bShown ? MeasureTab(pDC, pItem) : 0;
        pItem->m_nIdealLength = pItem->m_nLength;
    }
    if (pStrip->GetItemCount() == 0)
        return;
    const int H = GetRowHeight(pStrip);
    const int nLeft = rect.left + (m_pDrawer->m_nClientFrame == 2 ? 0 : 1);
    int y = rect.top + 1;
    const int n = pStrip->GetItemCount();
    for (int i = 0; i < n; ++i)
    {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        pItem->m_rect.SetRect(nLeft, y, rect.right, y + H);
        y += H;
        if (pItem == pStrip->GetSelectedItem())
            y = std::max<LONG>(y, std::min<LONG>(rect.bottom - 1, std::max<LONG>(rect.bottom - (n - i - 1) * H, y + H)));
    }
}

void CTabStripShapeStacked::FitClientRect(CTabStrip* pStrip, CRect& rect)
{
    const int nPosition = pStrip->GetPosition();
    CTabStripDrawer::OrientedDeflate(rect, m_pDrawer->m_rectHeaderMargins, nPosition);
    rect = GetClientRect(rect, pStrip);
    CTabStripDrawer::OrientedDeflate(rect, GetClientMargins(), nPosition);
}

void CTabStripShapeStacked::DrawTabStrip(CTabStrip* pStrip, CDC* pDC, const CRect& rectIn)
{
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    CRect rect = rectIn;
    pDC->FillSolidRect(&rect, pPalette->m_clrFace.GetValue());
    CTabStripDrawer::OrientedDeflate(rect, m_pDrawer->m_rectHeaderMargins, pStrip->GetPosition());
    const int nSaved = pDC->SaveDC();
    ::IntersectClipRect(pDC->GetSafeHdc(), rect.left, rect.top, rect.right, rect.bottom);
    const COLORREF crOutline = pPalette->m_clrOutline.GetValue();
    if (m_pDrawer->m_nClientFrame != 2)
        pDC->Draw3dRect(&rect, crOutline, crOutline);
    else if (pStrip->GetItemCount() > 0)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, crOutline);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = pStrip->GetItemCount() - 1; i >= 0; --i)
    {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        CRect meet;
        if (!pItem->m_rect.IsRectEmpty() && meet.IntersectRect(&pItem->m_rect, &rect))
            DrawTab(pDC, pItem);
    }
    pDC->RestoreDC(nSaved);
}

void CTabStripShapeStacked::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const CRect& r = pItem->m_rect;
    pPalette->FillTab(pDC, r, pItem);
    pDC->Draw3dRect(&r, pPalette->m_clrHighlight.GetValue(), pPalette->m_clrOutline.GetValue());
    const COLORREF crGrip = GetColorTable()->GetColor(38);
    for (int y = r.top + 4; y < r.bottom - 3; y += 2)
        pDC->FillSolidRect(r.right - 7, y, 3, 1, crGrip);
    CRect content = r;
    content.right -= 7;
    m_pDrawer->DrawItem(pDC, pItem, content, TRUE);
}
