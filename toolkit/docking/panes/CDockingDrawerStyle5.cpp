// Style 5: groups filled by their activity, tabs above the panes and four
// grip lines after the caption text.
#include "CDockingCaptionButton.h"
#include "CDockingDrawerStyles.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "window/CDC.h"

CDockingDrawerStyle5::CDockingDrawerStyle5()
{
    m_nCaptionSpacing = 2;
    m_pPaneTabDrawer->ChooseShape(8);
    m_pPaneTabDrawer->SetPosition(0);
    m_pAutoHideTabDrawer->ChooseShape(6);
}

void CDockingDrawerStyle5::ReloadMetrics()
{
    // The base's colours only: no caption gradients.
    CDockingPaneDrawer::ReloadMetrics();
}

void CDockingDrawerStyle5::AdjustCaptionRect(CKitDockingPaneTabbedContainer* pContainer, CRect* pRect)
{
    CDockingPaneDrawer::AdjustCaptionRect(pContainer, pRect);
    DeflateOriented(pRect, 3, 0, 3, 3, pContainer->IsCaptionVertical());
    if (!pContainer->HasCaption())
        pRect->top += 3;
    if (!pContainer->ShowsTabRow() && m_pPaneTabDrawer->m_nClientFrame != 2)
        pRect->DeflateRect(1, 1);
}

void CDockingDrawerStyle5::DrawTabbedContainer(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    const BOOL bActive = IsCaptionActive(pContainer);
    const CRect whole = rect;
    pDC->FillSolidRect(&rect, GetColor(bActive ? 31 : 30));
    pDC->SetBkMode(TRANSPARENT);
    int nTopRow = rect.top;
    if (pContainer->HasCaption() && m_bShowContainerCaptions)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, m_clrBackground.GetValue());
        DrawTabbedCaption(pDC, pContainer, rect);
        ++nTopRow;
    }
    AdjustCaptionRect(pContainer, &rect);
    if (pContainer->ShowsTabRow())
    {
        m_pPaneTabDrawer->DrawTabStrip(pContainer->GetTabStrip(), pDC, rect);
    }
    else if (m_pPaneTabDrawer->m_nClientFrame != 2)
    {
        CRect frame = rect;
        frame.InflateRect(1, 1);
        const COLORREF crOutline = m_pPaneTabDrawer->GetPalette()->m_clrOutline.GetValue();
        pDC->Draw3dRect(&frame, crOutline, crOutline);
    }
    const COLORREF crCorner = GetColor(51);
    pDC->SetPixel(whole.left, nTopRow, crCorner);
    pDC->SetPixel(whole.right - 1, nTopRow, crCorner);
    pDC->SetPixel(whole.left, whole.bottom - 1, crCorner);
    pDC->SetPixel(whole.right - 1, whole.bottom - 1, crCorner);
}

void CDockingDrawerStyle5::DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const BOOL bActive = IsCaptionActive(pContainer);
    CRect band = rect;
    DeflateOriented(&band, 0, 2, 1, ExtentOriented(&rect, bVertical) - m_nCaptionHeight - 3, bVertical);
    LayoutCaptionButtons(pDC, pContainer->GetCaptionButtons(), &band, 0, 16, 0, bVertical);
    DeflateOriented(&band, 4, 1, 2, 0, bVertical);
    const CString strTitle = pContainer->GetTitle();
    int f = 4;
    if (!strTitle.IsEmpty())
    {
        pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
        f = DrawCaptionText(pDC, &strTitle, band, bVertical, TRUE) + (bVertical ? band.top : band.left) + 10;
    }
    const int nEnd = bVertical ? band.bottom : band.right;
    if (nEnd - f < 1)
        return;
    const int nMid = bVertical ? (band.left + band.right) / 2 : (band.top + band.bottom) / 2;
    const int nColor = bActive ? COLOR_BTNTEXT : 38;
    for (const int d : {-3, -1, 1, 3})
    {
        if (bVertical)
            DrawLine(pDC, nMid + d, f, nMid + d, nEnd, nColor);
        else
            DrawLine(pDC, f, nMid + d, nEnd, nMid + d, nColor);
    }
}

void CDockingDrawerStyle5::DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph)
{
    if (pButton->m_bPressed)
    {
        FillFramed(pDC, pButton->m_rect, 33, 32);
        crGlyph = GetColor(47);
    }
    else if (pButton->m_bHot)
    {
        FillFramed(pDC, pButton->m_rect, 31, 32);
        crGlyph = GetColor(45);
    }
    const CPoint centre = pButton->m_rect.CenterPoint();
    DrawButtonGlyph(pDC, pButton, centre.x, centre.y, crGlyph);
}

// A 3-D frame around a band in the activity colour, the buttons, the title
// and four grip lines after it.
void CDockingDrawerStyle5::DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect)
{
    const BOOL bActive = IsFrameActive(pWindow);
    const COLORREF crBand = GetColor(bActive ? 31 : 30);
    pDC->Draw3dRect(&rect, crBand, RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, GetColor(COLOR_3DHIGHLIGHT), GetColor(COLOR_3DSHADOW));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, crBand, crBand);
    CRect band(rect.left, rect.top, rect.right, rect.top + m_nCaptionHeight + 3);
    pDC->FillSolidRect(&band, crBand);
    band.right -= 2;
    LayoutCaptionButtons(pDC, pWindow->GetCaptionButtons(), &band, GetColor(COLOR_BTNTEXT), 16, 0, FALSE);
    CString strTitle;
    pWindow->GetWindowText(strTitle);
    int o = 4;
    if (!strTitle.IsEmpty())
    {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
        const CRect text(band.left + 4, band.top + 1, band.right - 2, band.bottom);
        o = band.left + DrawCaptionText(pDC, &strTitle, text, FALSE, TRUE) + 14;
    }
    if (band.right - 4 <= o)
        return;
    const int nMid = (band.top + band.bottom) / 2;
    for (const int d : {-3, -1, 1, 3})
        DrawLine(pDC, o, nMid + d, band.right - 4, nMid + d, bActive ? COLOR_BTNTEXT : 38);
}
