#include "CTabStripShape.h"

#include <algorithm>

#include "CDrawTools.h"
#include "CTabStrip.h"
#include "CTabStripDrawer.h"
#include "GdiSelectors.h"
#include "window/CDC.h"

// A line along the side of the rectangle that faces the tabs.
void DrawEdgeLine(CDC* pDC, const CRect& rect, int nPosition, COLORREF crFirst, COLORREF crSecond)
{
    switch (nPosition)
    {
    case 0:
        if (crFirst != kNoColor)
            pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, crFirst);
        break;
    case 1:
        if (crFirst != kNoColor)
            pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), crFirst);
        break;
    case 2:
        if (crSecond != kNoColor)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, crSecond);
        break;
    default:
        if (crSecond != kNoColor)
            pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), crSecond);
        break;
    }
}

namespace {

// A line as (x, y, width, height), skipped for no colour.
void Line(CDC* pDC, int x, int y, int cx, int cy, COLORREF crLine)
{
    if (crLine != kNoColor && cx > 0 && cy > 0)
        pDC->FillSolidRect(x, y, cx, cy, crLine);
}

}  // namespace

void CTabStripShape::ReloadMetrics()
{
    CClientDC dc(CWnd::GetDesktopWindow());
    CFontSelector font(&dc, m_pDrawer->GetNormalFont());
    m_nTextRowHeight = std::max(static_cast<int>(dc.GetTextExtent(CString(L" ")).cy) + 3, 18);
}

int CTabStripShape::GetRowHeight(const CTabStrip* pStrip) const
{
    const CRect& content = m_pDrawer->m_rectContentMargins;
    SIZE sizeMinimum{};
    pStrip->GetTabSizes(nullptr, &sizeMinimum, nullptr);
    int nHeight = std::max<int>(m_nTextRowHeight + content.top + content.bottom, sizeMinimum.cy);
    if (m_pDrawer->m_bShowIcons)
    {
        SIZE sizeIcon = m_pDrawer->m_sizeIcon;
        const_cast<CTabStrip*>(pStrip)->DrawItemIcon(nullptr, CPoint(0, 0), nullptr, FALSE, &sizeIcon);
        nHeight = std::max<int>(nHeight, std::max(sizeIcon.cx, sizeIcon.cy) + content.top + content.bottom + 4);
    }
    return nHeight;
}

CRect CTabStripShape::GetHeaderRect(const CRect& rect, const CTabStrip* pStrip) const
{
    const int nRows = std::max(1, static_cast<int>(pStrip->m_rows.rows.size()));
    const CRect margins = GetMargins();
    int nRowsDepth = nRows * GetRowHeight(pStrip) + (nRows - 1) * m_nRowSpacing;
    if (pStrip->GetLayout() == 5)
        for (int i = 0; i < pStrip->GetItemCount(); ++i)
            nRowsDepth = std::max(nRowsDepth, pStrip->GetItem(i)->m_nLength);
    const int nDepth = nRowsDepth + margins.top + margins.bottom;
    CRect header = rect;
    switch (pStrip->GetPosition())
    {
    case 0:
        header.bottom = header.top + nDepth;
        break;
    case 1:
        header.right = header.left + nDepth;
        break;
    case 2:
        header.top = header.bottom - nDepth;
        break;
    default:
        header.left = header.right - nDepth;
        break;
    }
    return header;
}

CRect CTabStripShape::GetClientRect(const CRect& rect, const CTabStrip* pStrip) const
{
    const CRect header = GetHeaderRect(rect, pStrip);
    CRect client = rect;
    switch (pStrip->GetPosition())
    {
    case 0:
        client.top = header.bottom - 1;
        break;
    case 1:
        client.left = header.right - 1;
        break;
    case 2:
        client.bottom = header.top + 1;
        break;
    default:
        client.right = header.left + 1;
        break;
    }
    return client;
}

CRect CTabStripShape::GetClientMargins() const
{
    return m_pDrawer->m_rectClientMargins;
}

int CTabStripShape::MeasureTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    return m_pDrawer->DrawItem(pDC, pItem, CRect(), FALSE);
}

void CTabStripShape::DrawTabStrip(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    m_pDrawer->DrawStripDefault(pStrip, pDC, rect);
}

CRect CTabStripShape::PaintHeader(CTabStrip* pStrip, CDC* /*pDC*/, const CRect& rect)
{
    return GetHeaderRect(rect, pStrip);
}

void CTabStripShape::LayoutTabs(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    m_pDrawer->LayoutTabs(pStrip, pDC, rect);
}

void CTabStripShape::FitClientRect(CTabStrip* pStrip, CRect& rect)
{
    const int nPosition = pStrip->GetPosition();
    CTabStripDrawer::OrientedDeflate(rect, m_pDrawer->m_rectHeaderMargins, nPosition);
    rect = GetClientRect(rect, pStrip);
    CTabStripDrawer::OrientedDeflate(rect, GetClientMargins(), nPosition);
    if (m_pDrawer->m_nClientFrame == 0)
        CTabStripDrawer::OrientedDeflate(rect, CRect(2, 2, 2, 2), nPosition);
    else if (m_pDrawer->m_nClientFrame == 1)
        CTabStripDrawer::OrientedDeflate(rect, CRect(0, 2, 0, 0), nPosition);
}

CRect CTabStripShape::FillHeaderBand(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    const CRect header = GetHeaderRect(rect, pStrip);
    m_pDrawer->GetPalette()->PaintHeader(pDC, header, pStrip);
    return header;
}

CRect CTabStripShape3D::GetClientMargins() const
{
    CRect margins = CTabStripShape::GetClientMargins();
    const CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    if (pPalette && pPalette->IsThemed() && m_pDrawer->m_nClientFrame == 0)
    {
        margins.right += 2;
        if (m_pDrawer->GetPosition() <= 1)
            margins.bottom += 2;
    }
    return margins;
}

CRect CTabStripShape3D::PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    const int nPosition = pStrip->GetPosition();
    CRect header = GetHeaderRect(rect, pStrip);
    CTabStripDrawer::OrientedInflate(header, CRect(0, 0, 0, 1), nPosition);
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    pPalette->PaintHeader(pDC, header, pStrip);
    const CRect client = GetClientRect(rect, pStrip);
    const COLORREF crLight = pPalette->m_clr3dLight.GetValue();
    const COLORREF crShadow = pPalette->m_clr3dShadow.GetValue();
    const COLORREF crDark = pPalette->m_clr3dDarkShadow.GetValue();
    if (m_pDrawer->m_nClientFrame == 0)
    {
        pPalette->FillClient(pDC, client, pStrip);
        if (crLight != kNoColor && crDark != kNoColor)
            pDC->Draw3dRect(&client, crLight, crDark);
        Line(pDC, client.left + 1, client.bottom - 2, client.Width() - 2, 1, crShadow);
        Line(pDC, client.right - 2, client.top + 1, 1, client.Height() - 2, crShadow);
    }
    else if (m_pDrawer->m_nClientFrame == 1)
    {
        switch (nPosition)
        {
        case 0:
            Line(pDC, client.left, client.top, client.Width(), 1, crLight);
            break;
        case 1:
            Line(pDC, client.left, client.top, 1, client.Height(), crLight);
            break;
        case 2:
            Line(pDC, client.left, client.bottom - 1, client.Width(), 1, crDark);
            Line(pDC, client.left, client.bottom - 2, client.Width(), 1, crShadow);
            break;
        default:
            Line(pDC, client.right - 1, client.top, 1, client.Height(), crDark);
            Line(pDC, client.right - 2, client.top, 1, client.Height(), crShadow);
            break;
        }
    }
    return header;
}

void CTabStripShape3D::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    const int nPosition = pStrip->GetPosition();
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    CRect r = pItem->m_rect;
    if (bSelected)
    {
        if (nPosition == 0)
            r.InflateRect(2, 2, 2, 0);
        else if (nPosition == 1)
            r.InflateRect(2, 2, 0, 2);
        else
            r.InflateRect(2, 2, 2, 2);
    }
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const COLORREF F = pPalette->FillTab(pDC, CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), pItem);
    const COLORREF L = pPalette->m_clr3dLight.GetValue();
    const COLORREF S = pPalette->m_clr3dShadow.GetValue();
    const COLORREF D = pPalette->m_clr3dDarkShadow.GetValue();
    const BOOL bJoin = bSelected && pItem->m_nRow == 0;
    const int w = r.Width();
    const int h = r.Height();
    CRect content = r;
    switch (nPosition)
    {
    case 0:
        Line(pDC, r.left, r.top + 2, 1, h - 2, L);
        Line(pDC, r.left + 1, r.top + 1, 1, 1, L);
        Line(pDC, r.left + 2, r.top, w - 4, 1, L);
        Line(pDC, r.right - 2, r.top + 1, 1, 1, D);
        Line(pDC, r.right - 1, r.top + 2, 1, h - 3, D);
        Line(pDC, r.right - 2, r.top + 2, 1, h - 3, S);
        if (bJoin)
            Line(pDC, r.left + 1, r.bottom - 1, w - 3, 1, F);
        break;
    case 1:
        Line(pDC, r.left + 2, r.top, w - 2, 1, L);
        Line(pDC, r.left + 1, r.top + 1, 1, 1, L);
        Line(pDC, r.left, r.top + 2, 1, h - 4, L);
        Line(pDC, r.left + 1, r.bottom - 2, w - 2, 1, S);
        Line(pDC, r.left + 2, r.bottom - 1, w - 3, 1, D);
        Line(pDC, r.left + 2, r.bottom - 2, 1, 1, D);
        Line(pDC, r.left + 2, r.bottom - 1, 1, 1, S);
        if (bJoin)
            Line(pDC, r.right - 1, r.top + 1, 1, h - 3, F);
        break;
    case 2:
        Line(pDC, r.left, r.top + 1, 1, h - 2, L);
        Line(pDC, r.left + 1, r.bottom - 1, 1, 1, L);
        Line(pDC, r.left + 2, r.bottom - 1, w - 4, 1, S);
        Line(pDC, r.left + 2, r.bottom, w - 4, 1, D);
        Line(pDC, r.right - 2, r.bottom - 1, 1, 1, D);
        Line(pDC, r.right - 1, r.top, 1, h - 1, D);
        Line(pDC, r.right - 2, r.top, 1, h - 1, S);
        if (bJoin)
        {
            Line(pDC, r.left + 1, r.top + 1, w - 1, 1, F);
            content.bottom += 2;
        }
        break;
    default:
        Line(pDC, r.left + 1, r.top, w - 2, 1, L);
        Line(pDC, r.right - 1, r.top + 1, 1, 1, L);
        Line(pDC, r.right - 1, r.top + 2, 1, h - 4, S);
        Line(pDC, r.right, r.top + 2, 1, h - 4, D);
        Line(pDC, r.right - 1, r.bottom - 2, 1, 1, D);
        Line(pDC, r.left + 1, r.bottom - 2, w - 2, 1, S);
        Line(pDC, r.left + 1, r.bottom - 1, w - 2, 1, D);
        if (bJoin)
        {
            Line(pDC, r.left + 1, r.top + 1, 1, h - 1, F);
            content.right += 2;
        }
        break;
    }
    m_pDrawer->DrawItem(pDC, pItem, content, TRUE);
}

CRect CTabStripShapeFramed::PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    const CRect header = FillHeaderBand(pStrip, pDC, rect);
    const CRect client = GetClientRect(rect, pStrip);
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const COLORREF crOutline = pPalette->m_clrOutline.GetValue();
    if (m_pDrawer->m_nClientFrame == 0)
    {
        pPalette->FillClient(pDC, client, pStrip);
        pDC->Draw3dRect(&client, crOutline, crOutline);
    }
    else if (m_pDrawer->m_nClientFrame == 1)
    {
        pPalette->FillClient(pDC, client, pStrip);
        DrawEdgeLine(pDC, client, pStrip->GetPosition(), crOutline, crOutline);
    }
    return header;
}

void CTabStripShapeFramed::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    const int nPosition = pStrip->GetPosition();
    CRect rect = pItem->m_rect;
    CTabStripDrawer::OrientedInflate(rect, CRect(0, 0, 1, 0), nPosition);
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    pPalette->FillTab(pDC, rect, pItem);
    if (pStrip->GetSelectedItem() == pItem)
        CTabStripDrawer::OrientedInflate(rect, CRect(0, 0, 0, 1), nPosition);
    const COLORREF crOutline = pPalette->m_clrOutline.GetValue();
    pDC->Draw3dRect(&rect, crOutline, crOutline);
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

void CTabStripShapeRounded::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    const int nPosition = pStrip->GetPosition();
    CRect e = pItem->m_rect;
    CTabStripDrawer::OrientedInflate(e, CRect(0, 0, 1, 0), nPosition);
    CRect c = e;
    CTabStripDrawer::OrientedInflate(c, CRect(0, 0, 0, 1), nPosition);
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const COLORREF crOutline = pPalette->m_clrOutline.GetValue();
    const int nSaved = pDC->SaveDC();
    CDrawTools::ExcludeCorners(pDC, &c);
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    CRect fill = e;
    CTabStripDrawer::OrientedDeflate(fill, CRect(1, 1, 1, 0), nPosition);
    // Outlined with round corners in the outline colour, hollow inside.
    const auto roundOutline = [&](CRect outline) {
        CTabStripDrawer::OrientedInflate(outline, CRect(0, 0, 0, 2), nPosition);
        CPenSelector pen(pDC->GetSafeHdc(), crOutline);
        const HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(HOLLOW_BRUSH));
        ::RoundRect(pDC->GetSafeHdc(), outline.left, outline.top, outline.right, outline.bottom, 6, 6);
        ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    };
    if (m_bSelectedOnly)
    {
        if (bSelected)
        {
            pPalette->FillTab(pDC, fill, pItem);
            roundOutline(e);
        }
        else if (pItem->m_nIndex < pStrip->GetItemCount() - 1)
        {
            if (pStrip->IsHorizontal())
                pDC->FillSolidRect(e.right - 1, e.top + 3, 1, e.Height() - 6, crOutline);
            else
                pDC->FillSolidRect(e.left + 3, e.bottom - 1, e.Width() - 6, 1, crOutline);
        }
    }
    else if (m_bBlendedCorners)
    {
        pPalette->FillTab(pDC, fill, pItem);
        if (bSelected)
            CTabStripDrawer::OrientedInflate(e, CRect(0, 0, 0, 1), nPosition);
        pDC->Draw3dRect(&e, crOutline, crOutline);
    }
    else
    {
        pPalette->FillTab(pDC, fill, pItem);
        if (!bSelected && m_pDrawer->m_nClientFrame != 2)
            DrawEdgeLine(pDC, pItem->m_rect, (nPosition + 2) % 4, crOutline, crOutline);
        roundOutline(e);
    }
    pDC->RestoreDC(nSaved);
    if (m_bBlendedCorners)
    {
        const int L = c.left, T = c.top, R = c.right, B = c.bottom;
        // Pixel and the offset of the neighbour it is averaged with.
        const POINT blends[4][20] = {
            {{L, T + 1}, {0, -1}, {L + 1, T}, {-1, 0}, {R - 2, T}, {1, 0}, {R - 1, T + 1}, {0, -1}, {L + 1, T + 1},
             {-1, 0}, {R - 2, T + 1}, {1, 0}, {L + 2, T + 1}, {-1, 0}, {L + 1, T + 2}, {0, -1}, {R - 3, T + 1}, {1, 0},
             {R - 2, T + 2}, {0, -1}},
            {{L, T + 1}, {0, -1}, {L + 1, T}, {-1, 0}, {L, B - 2}, {0, 1}, {L + 1, B - 1}, {-1, 0}, {L + 1, T + 1},
             {-1, 0}, {L + 1, B - 2}, {-1, 0}, {L + 2, T + 1}, {-1, 0}, {L + 1, T + 2}, {0, -1}, {L + 2, B - 2}, {-1, 0},
             {L + 1, B - 3}, {0, 1}},
            {{L, B - 2}, {0, 1}, {L + 1, B - 1}, {-1, 0}, {R - 1, B - 2}, {0, 1}, {R - 2, B - 1}, {1, 0}, {L + 1, B - 2},
             {0, 1}, {R - 2, B - 2}, {1, 0}, {L + 2, B - 2}, {-1, 0}, {L + 1, B - 3}, {0, 1}, {R - 3, B - 2}, {1, 0},
             {R - 2, B - 3}, {0, 1}},
            {{R - 1, T + 1}, {0, -1}, {R - 2, T}, {1, 0}, {R - 1, B - 2}, {0, 1}, {R - 2, B - 1}, {1, 0}, {R - 2, T + 1},
             {1, 0}, {R - 2, B - 2}, {1, 0}, {R - 3, T + 1}, {1, 0}, {R - 2, T + 2}, {0, -1}, {R - 3, B - 2}, {1, 0},
             {R - 2, B - 3}, {0, 1}},
        };
        CDrawTools::BlendPixelPairs(pDC, blends[std::clamp(nPosition, 0, 3)], 20);
    }
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

CTabStripShape* CreateTabStripShape(int nNumber)
{
    switch (nNumber)
    {
    case 1:
        return new CTabStripShapeHot3D();
    case 2:
        return new CTabStripShapeRounded();
    case 3:
        return new CTabStripShapeSlanted();
    case 4:
        return new CTabStripShapeButton();
    case 5:
        return new CTabStripShapeFlat();
    case 6:
        return new CTabStripShapeFramed();
    case 7:
        return new CTabStripShapeTrapezoid();
    case 8:
        return new CTabStripShapeStacked();
    case 9:
        return new CTabStripShapeSheet();
    default:
        return new CTabStripShape3D();
    }
}
