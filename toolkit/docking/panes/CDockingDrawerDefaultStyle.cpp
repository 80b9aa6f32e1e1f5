#include "CDockingCaptionButton.h"
#include "CDockingDrawerStyles.h"
#include "CDockingPaneItem.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "DeviceContexts.h"
#include "GdiSelectors.h"
#include "window/CDC.h"

CDockingDrawerDefaultStyle::CDockingDrawerDefaultStyle()
{
    m_pPaneTabDrawer->ChooseShape(0);
    m_pAutoHideTabDrawer->ChooseShape(0);
}

CRect CDockingDrawerDefaultStyle::CaptionBand(CKitDockingPaneTabbedContainer* pContainer, const CRect& rect,
                                              int nTopMargin) const
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    CRect band = rect;
    DeflateOriented(&band, 0, nTopMargin, 0, ExtentOriented(&rect, bVertical) - m_nCaptionHeight - 1, bVertical);
    return band;
}

BOOL CDockingDrawerDefaultStyle::IsCaptionActive(CKitDockingPaneTabbedContainer* pContainer) const
{
    return m_bHighlightActiveCaption && pContainer->IsActive();
}

BOOL CDockingDrawerDefaultStyle::IsFrameActive(CKitDockingPaneMiniWnd* pWindow) const
{
    return m_bHighlightActiveCaption && pWindow->m_bActive;
}

// A raised 3-D frame three pixels thick; the caption band inside its top
// edge. Style 4 and the styles built on it without a frame of their own
// draw the same.
void CDockingDrawerDefaultStyle::DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect)
{
    pDC->Draw3dRect(&rect, GetColor(COLOR_3DFACE), RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, GetColor(COLOR_3DHIGHLIGHT), GetColor(COLOR_3DSHADOW));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, GetColor(COLOR_3DFACE), GetColor(COLOR_3DFACE));
    CRect band(rect.left, rect.top, rect.right, rect.top + m_nCaptionHeight + 3);
    CString strTitle;
    pWindow->GetWindowText(strTitle);
    CDoubleBufferDC buffer(pDC->GetSafeHdc(), band);
    buffer.SetBkMode(TRANSPARENT);
    buffer.FillSolidRect(&band, GetColor(COLOR_3DFACE));
    band.DeflateRect(1, 2, 1, 2);
    DrawCaptionBar(&buffer, pWindow, band, &strTitle, IsFrameActive(pWindow), FALSE);
}

void CDockingDrawerDefaultStyle::DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const CRect band = CaptionBand(pContainer, rect, 2);
    const int nDepth = m_nCaptionHeight + 3;
    const CRect area = bVertical ? CRect(rect.left, rect.top, rect.left + nDepth, rect.bottom)
                                 : CRect(rect.left, rect.top, rect.right, rect.top + nDepth);
    pDC->FillSolidRect(&area, GetColor(COLOR_3DFACE));
    const CString strTitle = pContainer->GetTitle();
    DrawCaptionBar(pDC, pContainer, band, &strTitle, IsCaptionActive(pContainer), bVertical);
}

void CDockingDrawerDefaultStyle::DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph)
{
    CRect rect = pButton->m_rect;
    const UINT nPressed = pButton->m_bPressed ? DFCS_PUSHED : 0;
    if (pButton->GetId() == kButtonClose)
    {
        pDC->DrawFrameControl(&rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | nPressed);
        return;
    }
    pDC->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | nPressed);
    if (pButton->GetId() != kButtonAutoHide)
        return;
    const int c = pButton->m_bPressed ? 0 : 1;
    CPenSelector pen(pDC->GetSafeHdc(), crGlyph);
    if (pButton->m_nState & kButtonStatePaneAutoHidden)
    {
        const int l = rect.left - c;
        const int m = (rect.top + rect.bottom) / 2 - c;
        const POINT pin[] = {{l, m},         {l + 2, m},     {l + 2, m - 3}, {l + 4, m - 1}, {l + 5, m - 2}, {l + 6, m - 2},
                             {l + 6, m + 2}, {l + 5, m + 2}, {l + 4, m + 1}, {l + 2, m + 3}, {l + 2, m}};
        pDC->Polyline(pin, 11);
        return;
    }
    const int n = (rect.left + rect.right) / 2 - c;
    const int b = rect.bottom - c;
    const POINT pin[] = {{n, b},         {n, b - 2},     {n - 3, b - 2}, {n - 3, b - 3}, {n - 1, b - 6},
                         {n - 2, b - 7}, {n - 2, b - 8}, {n + 2, b - 8}, {n + 2, b - 7}, {n + 1, b - 6},
                         {n + 3, b - 3}, {n + 3, b - 2}, {n, b - 2}};
    pDC->Polyline(pin, 13);
}

void CDockingDrawerDefaultStyle::DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText,
                                                BOOL bActive, BOOL bVertical)
{
    pDC->FillSolidRect(&band, GetColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    DeflateOriented(&band, 0, 0, 2, 0, bVertical);
    LayoutCaptionButtons(pDC, pNode->GetCaptionButtons(), &band, GetColor(COLOR_BTNTEXT), 12, 2, bVertical);
    pDC->SetTextColor(GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DeflateOriented(&band, 4, 1, 0, 0, bVertical);
    DrawCaptionText(pDC, pText, band, bVertical, FALSE);
}

void CDockingDrawerStyle4::DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const CRect band = CaptionBand(pContainer, rect, m_rectCaptionMargins.top);
    const int nDepth = m_nCaptionHeight + 3;
    const CRect area = bVertical ? CRect(rect.left, rect.top, rect.left + nDepth, rect.bottom)
                                 : CRect(rect.left, rect.top, rect.right, rect.top + nDepth);
    pDC->FillSolidRect(&area, m_clrBackground.GetValue());
    const CString strTitle = pContainer->GetTitle();
    DrawCaptionBar(pDC, pContainer, band, &strTitle, IsCaptionActive(pContainer), bVertical);
}

void CDockingDrawerStyle4::DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph)
{
    CPoint centre = pButton->m_rect.CenterPoint();
    if (pButton->m_bPressed)
    {
        pDC->Draw3dRect(&pButton->m_rect, GetColor(COLOR_BTNTEXT), GetColor(COLOR_3DHIGHLIGHT));
        centre.Offset(1, 1);
    }
    else if (pButton->m_bHot)
    {
        pDC->Draw3dRect(&pButton->m_rect, GetColor(COLOR_3DHIGHLIGHT), GetColor(COLOR_BTNTEXT));
    }
    DrawButtonGlyph(pDC, pButton, centre.x, centre.y, crGlyph);
}

void CDockingDrawerStyle4::DrawButtonGlyph(CDC* pDC, CDockingCaptionButton* pButton, int x, int y, COLORREF crGlyph)
{
    switch (pButton->GetId())
    {
    case kButtonClose: {
        CPenSelector pen(pDC->GetSafeHdc(), crGlyph);
        const int segments[4][4] = {{x - 4, y - 3, x + 3, y + 4},
                                    {x - 4, y + 3, x + 3, y - 4},
                                    {x - 3, y - 3, x + 4, y + 4},
                                    {x - 3, y + 3, x + 4, y - 4}};
        for (const auto& s : segments)
        {
            pDC->MoveTo(s[0], s[1]);
            pDC->LineTo(s[2], s[3]);
        }
        break;
    }
    case kButtonMaximize:
    case kButtonRestore:
        DrawWindowGlyph(pDC, x, y, pButton->GetId() == kButtonMaximize, crGlyph);
        break;
    case kButtonMenu: {
        CPenSelector pen(pDC->GetSafeHdc(), crGlyph);
        CBrushSelector brush(pDC->GetSafeHdc(), crGlyph);
        const POINT arrow[] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
        pDC->Polygon(arrow, 4);
        break;
    }
    case kButtonAutoHide:
        DrawPinGlyph(pDC, x, y, (pButton->m_nState & kButtonStatePaneAutoHidden) != 0, crGlyph);
        break;
    default:
        break;
    }
}

void CDockingDrawerStyle4::DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText,
                                          BOOL /*bActive*/, BOOL bVertical)
{
    DeflateOriented(&band, 0, 0, 2, 0, bVertical);
    LayoutCaptionButtons(pDC, pNode->GetCaptionButtons(), &band, GetColor(COLOR_BTNTEXT), 14, 2, bVertical);
    DeflateOriented(&band, 4, 1, 2, 0, bVertical);
    int e = 4;
    if (pText && !pText->IsEmpty())
    {
        pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
        e = (bVertical ? band.top : band.left) + DrawCaptionText(pDC, pText, band, bVertical, TRUE) + 4;
    }
    if (e >= (bVertical ? band.bottom : band.right))
        return;
    const int nMid = bVertical ? (band.left + band.right) / 2 : (band.top + band.bottom) / 2;
    for (const int nAt : {nMid - 3, nMid + 1})
    {
        const CRect grip = bVertical ? CRect(nAt, e, nAt + 3, band.bottom) : CRect(e, nAt, band.right, nAt + 3);
        pDC->Draw3dRect(&grip, GetColor(COLOR_3DHIGHLIGHT), GetColor(COLOR_3DSHADOW));
    }
}
