// Slanted and sheet tabs: outlines as point lists per position, filled
// through the tab polygon.
#include <vector>

#include "CTabStrip.h"
#include "CTabStripDrawer.h"
#include "CTabStripShape.h"
#include "GdiSelectors.h"
#include "window/CDC.h"

namespace {

void Polyline(CDC* pDC, COLORREF crLine, const std::vector<POINT>& points)
{
    if (crLine == kNoColor || points.size() < 2)
        return;
    CPenSelector pen(pDC->GetSafeHdc(), crLine);
    pDC->Polyline(points.data(), static_cast<int>(points.size()));
}

struct TabOutline
{
    std::vector<POINT> fill;
    std::vector<POINT> outline;
    std::vector<POINT> innerEnd;
    std::vector<POINT> innerStart;
    RECT joining{};  // x, y, width, height; empty for none
};

TabOutline SlantedOutline(const CRect& r, int nPosition)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom, h = r.Height(), w = r.Width();
    switch (nPosition)
    {
    case 0:
        return {{{R - 1, B - 1}, {R - 1, T + 2}, {L + 4, T + 2}, {L + 8 - h, B - 2}},
                {{R, B - 2}, {R, T + 2}, {R - 2, T}, {L + 7, T}, {L + 2, T + 2}, {L + 6 - h, B - 2}, {L + 4 - h, B - 2}},
                {{R - 1, B - 2}, {R - 1, T + 2}, {R - 3, T}},
                {{R - 3, T + 1}, {L + 6, T + 1}, {L + 1, T + 4}, {L + 6 - h, B - 1}},
                {L + 5 - h, B - 1, R - L + h - 4, 1}};
    case 1:
        return {{{R - 1, B - 1}, {L + 2, B - 1}, {L + 2, T + 4}, {R - 1, T + 7 - w}},
                {{R - 2, B}, {L + 2, B}, {L, B - 2}, {L, T + 7}, {L + 2, T + 2}, {R - 2, T + 6 - w}, {R - 2, T + 4 - w}},
                {{R - 2, B - 1}, {L + 2, B - 1}, {L, B - 3}},
                {{L + 1, B - 3}, {L + 1, T + 6}, {L + 4, T + 1}, {R - 1, T + 6 - w}},
                {R - 1, T + 5 - w, 1, B - T + w - 4}};
    case 2:
        return {{{R - 1, T}, {R - 1, B - 1}, {L + 4, B - 1}, {L + 7 - h, T + 1}},
                {{R, T + 1}, {R, B - 2}, {R - 2, B}, {L + 7, B}, {L + 2, B - 2}, {L + 5 - h, T + 1}, {L + 3 - h, T + 1}},
                {{R - 1, T + 1}, {R - 1, B - 2}, {R - 3, B}},
                {{R - 3, B - 1}, {L + 6, B - 1}, {L + 1, B - 4}, {L + 5 - h, T}},
                {L + 4 - h, T, R - L + h - 3, 1}};
    default:
        return {{{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T + 4}, {L + 1, T + 6 - w}},
                {{L + 1, B}, {R - 2, B}, {R, B - 2}, {R, T + 7}, {R - 2, T + 2}, {L + 1, T + 5 - w}, {L + 1, T + 3 - w}},
                {{L + 1, B - 1}, {R - 2, B - 1}, {R, B - 3}},
                {{R - 1, B - 3}, {R - 1, T + 6}, {R - 4, T + 1}, {L, T + 5 - w}},
                {L, T + 4 - w, 1, B - T + w - 3}};
    }
}

TabOutline SheetOutline(const CRect& r, int nPosition)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    const int hh = r.Height() / 2, hw = r.Width() / 2;
    switch (nPosition)
    {
    case 0:
        return {{},
                {{R + hh - 4, B - 1}, {R - 1, B - 2 * hh + 5}, {R - 5, B - 2 * hh + 1}, {R - 8, B - 2 * hh},
                 {L + 8, B - 2 * hh}, {L + 5, B - 2 * hh + 1}, {L + 2, B - 2 * hh + 4}, {L - hh + 4, B}},
                {{R + hh - 5, B - 1}, {R - 2, B - 2 * hh + 5}, {R - 5, B - 2 * hh + 2}, {R - 8, B - 2 * hh + 1}},
                {{R - 7, B - 2 * hh + 1}, {L + 8, B - 2 * hh + 1}, {L + 5, B - 2 * hh + 2}, {L + 3, B - 2 * hh + 4},
                 {L - hh + 5, B}},
                {}};
    case 1:
        return {{},
                {{R - 1, B + hw - 4}, {R - 2 * hw + 5, B - 1}, {R - 2 * hw + 1, B - 5}, {R - 2 * hw, B - 8},
                 {R - 2 * hw, T + 8}, {R - 2 * hw + 1, T + 5}, {R - 2 * hw + 4, T + 2}, {R, T - hw + 4}},
                {{R - 1, B + hw - 5}, {R - 2 * hw + 5, B - 2}, {R - 2 * hw + 2, B - 5}, {R - 2 * hw + 1, B - 8}},
                {{R - 2 * hw + 1, B - 8}, {R - 2 * hw + 1, T + 8}, {R - 2 * hw + 2, T + 5}, {R - 2 * hw + 4, T + 3},
                 {R, T - hw + 5}},
                {}};
    case 2:
        return {{},
                {{R + hh - 4, T + 1}, {R - 1, T + 2 * hh - 5}, {R - 5, T + 2 * hh - 1}, {R - 7, T + 2 * hh},
                 {L + 7, T + 2 * hh}, {L + 5, T + 2 * hh - 1}, {L + 2, T + 2 * hh - 4}, {L - hh + 4, T}},
                {{R + hh - 5, T + 1}, {R - 2, T + 2 * hh - 5}, {R - 5, T + 2 * hh - 2}, {R - 7, T + 2 * hh - 1}},
                {{L + 7, T + 2 * hh - 1}, {L + 5, T + 2 * hh - 2}, {L + 3, T + 2 * hh - 4}, {L - hh + 5, T}},
                {}};
    default:
        return {{},
                {{L, B + hw - 4}, {L + 2 * hw - 5, B - 1}, {L + 2 * hw - 1, B - 5}, {L + 2 * hw, B - 8},
                 {L + 2 * hw, T + 8}, {L + 2 * hw - 1, T + 5}, {L + 2 * hw - 4, T + 2}, {L, T - hw + 4}},
                {{L, B + hw - 5}, {L + 2 * hw - 5, B - 2}, {L + 2 * hw - 2, B - 5}, {L + 2 * hw - 1, B - 8},
                 {L + 2 * hw - 1, T + 6}},
                {{L + 2 * hw - 2, T + 5}, {L + 2 * hw - 4, T + 3}, {L, T - hw + 5}},
                {}};
    }
}

}  // namespace

CRect CTabStripShapeSlanted::GetMargins() const
{
    CRect margins = m_rectMargins;
    margins.left += m_nTextRowHeight;
    return margins;
}

CRect CTabStripShapeSheet::GetMargins() const
{
    CRect margins = m_rectMargins;
    margins.left += m_nTextRowHeight / 2;
    return margins;
}

CRect CTabStripShapeSlanted::PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect)
{
    const CRect header = FillHeaderBand(pStrip, pDC, rect);
    const CRect client = GetClientRect(rect, pStrip);
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const COLORREF crFrame = pPalette->m_clrSlantedSelectedOutline.GetValue();
    if (m_pDrawer->m_nClientFrame == 0)
    {
        pPalette->FillClient(pDC, client, pStrip);
        pDC->Draw3dRect(&client, crFrame, crFrame);
    }
    else if (m_pDrawer->m_nClientFrame == 1)
    {
        DrawEdgeLine(pDC, client, pStrip->GetPosition(), crFrame, crFrame);
    }
    return header;
}

void CTabStripShapeSlanted::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    const BOOL bHotOutline = m_bHotOutline && pStrip->GetHotItem() == pItem;
    const TabOutline shape = SlantedOutline(pItem->m_rect, pStrip->GetPosition());
    const COLORREF crFill =
        FillTabPolygon(pDC, m_pDrawer, pItem, shape.fill.data(), static_cast<int>(shape.fill.size()), TRUE);
    const COLORREF crHot = pPalette->m_selectedTabFrame.dark.GetValue();
    Polyline(pDC, bHotOutline ? crHot : (bSelected ? pPalette->m_clrSlantedSelectedOutline : pPalette->m_clrSlantedOutline).GetValue(),
             shape.outline);
    Polyline(pDC, bHotOutline ? crHot : (bSelected ? 0xFFFFFF : pPalette->m_clrSlantedInnerEdge.GetValue()), shape.innerEnd);
    Polyline(pDC, bHotOutline ? crHot : (bSelected ? 0xFFFFFF : pPalette->m_clrSlantedInnerHighlight.GetValue()),
             shape.innerStart);
    if (bSelected && crFill != kNoColor)
        pDC->FillSolidRect(shape.joining.left, shape.joining.top, shape.joining.right, shape.joining.bottom, crFill);
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}

void CTabStripShapeSheet::DrawTab(CDC* pDC, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    CTabStripPalette* pPalette = m_pDrawer->GetPalette();
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    const TabOutline shape = SheetOutline(pItem->m_rect, pStrip->GetPosition());
    FillTabPolygon(pDC, m_pDrawer, pItem, shape.outline.data(), static_cast<int>(shape.outline.size()), TRUE);
    Polyline(pDC, (bSelected ? pPalette->m_clrSlantedSelectedOutline : pPalette->m_clrSlantedOutline).GetValue(),
             shape.outline);
    Polyline(pDC, bSelected ? 0xFFFFFF : pPalette->m_clrSlantedInnerEdge.GetValue(), shape.innerEnd);
    Polyline(pDC, bSelected ? 0xFFFFFF : pPalette->m_clrSlantedInnerHighlight.GetValue(), shape.innerStart);
    m_pDrawer->DrawItem(pDC, pItem, pItem->m_rect, TRUE);
}
