// Styles 3 and 8: the system's visual styles where they are active, their
// bases' looks where not.
#include <vssym32.h>

#include "CDockingCaptionButton.h"
#include "CDockingDrawerStyles.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "DeviceContexts.h"
#include "window/CDC.h"
#include "window/CFrameWnd.h"

namespace {

// The owner of a caption counts as active unless it is a group that is not.
BOOL IsOwnerActive(CDockingNode* pOwner)
{
    const CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pOwner);
    return !pContainer || pContainer->IsActive();
}

}  // namespace

CDockingDrawerStyle3::CDockingDrawerStyle3()
{
    m_nCaptionSpacing = 7;
    m_bGradientCaptions = TRUE;
    for (CTabStripDrawer* pTabs : {m_pPaneTabDrawer, m_pAutoHideTabDrawer})
    {
        pTabs->ChooseShape(0);
        pTabs->ChoosePalette(8);
        pTabs->m_bHotTracking = TRUE;
    }
}

void CDockingDrawerStyle3::ReloadMetrics()
{
    CDockingDrawerStyle1::ReloadMetrics();
    m_windowStyle.Open(nullptr, L"WINDOW");
    m_explorerBarStyle.Open(nullptr, L"EXPLORERBAR");
}

void CDockingDrawerStyle3::DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph)
{
    const int nId = pButton->GetId();
    if (!m_explorerBarStyle.IsAppThemed() || (nId != kButtonClose && nId != kButtonAutoHide))
    {
        CDockingDrawerStyle1::DrawCaptionButton(pDC, pButton, crGlyph);
        return;
    }
    const BOOL bActive = m_bHighlightActiveCaption && IsOwnerActive(pButton->GetOwner());
    int nPart = EBP_HEADERCLOSE;
    int nState = pButton->m_bPressed ? 3 : ((bActive || pButton->m_bHot) ? 2 : 1);
    if (nId == kButtonAutoHide)
    {
        nPart = EBP_HEADERPIN;
        nState = pButton->m_bPressed ? 3 : (pButton->m_bHot ? 2 : 1);
        if (!(pButton->m_nState & kButtonStatePaneAutoHidden))
            nState += 3;
    }
    m_explorerBarStyle.DrawBackground(pDC->GetSafeHdc(), nPart, nState, &pButton->m_rect, nullptr);
}

void CDockingDrawerStyle3::DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText,
                                          BOOL bActive, BOOL bVertical)
{
    if (!m_windowStyle.IsAppThemed())
    {
        CDockingDrawerStyle1::DrawCaptionBar(pDC, pNode, band, pText, bActive, bVertical);
        return;
    }
    const COLORREF crText = GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    DeflateOriented(&band, 0, 0, 2, 0, bVertical);
    LayoutCaptionButtons(pDC, pNode->GetCaptionButtons(), &band, crText, 16, 3, bVertical);
    pDC->SetTextColor(crText);
    DeflateOriented(&band, 4, 1, 0, 0, bVertical);
    DrawCaptionText(pDC, pText, band, bVertical, FALSE);
}

void CDockingDrawerStyle3::DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    if (!m_windowStyle.IsAppThemed())
    {
        CDockingDrawerStyle1::DrawTabbedCaption(pDC, pContainer, rect);
        return;
    }
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const CRect band = bVertical ? CRect(0, 0, m_nCaptionHeight + 1, rect.bottom) : CRect(0, 0, rect.right, m_nCaptionHeight + 1);
    const BOOL bActive = IsCaptionActive(pContainer);
    m_windowStyle.DrawBackground(pDC->GetSafeHdc(), WP_SMALLCAPTION, bActive ? 1 : 2, &band, nullptr);
    const CString strTitle = pContainer->GetTitle();
    DrawCaptionBar(pDC, pContainer, band, &strTitle, bActive, bVertical);
}

void CDockingDrawerStyle3::DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect)
{
    if (!m_windowStyle.IsAppThemed())
    {
        CDockingDrawerStyle1::DrawFloatingFrame(pDC, pWindow, rect);
        return;
    }
    const BOOL bActive = IsFrameActive(pWindow);
    const int nState = bActive ? 1 : 2;
    const HDC hDC = pDC->GetSafeHdc();
    const CRect left(rect.left, rect.top, rect.left + 3, rect.bottom);
    const CRect right(rect.right - 3, rect.top, rect.right, rect.bottom);
    const CRect bottom(rect.left, rect.bottom - 3, rect.right, rect.bottom);
    m_windowStyle.DrawBackground(hDC, WP_SMALLFRAMELEFT, nState, &left, nullptr);
    m_windowStyle.DrawBackground(hDC, WP_SMALLFRAMERIGHT, nState, &right, nullptr);
    m_windowStyle.DrawBackground(hDC, WP_SMALLFRAMEBOTTOM, nState, &bottom, nullptr);
    CRect band(rect.left, rect.top, rect.right, rect.top + m_nCaptionHeight + 5);
    CString strTitle;
    pWindow->GetWindowText(strTitle);
    CDoubleBufferDC buffer(hDC, band);
    buffer.SetBkMode(TRANSPARENT);
    m_windowStyle.DrawBackground(buffer.GetSafeHdc(), WP_SMALLCAPTION, nState, &band, nullptr);
    band.DeflateRect(3, 0);
    DrawCaptionBar(&buffer, pWindow, band, &strTitle, bActive, FALSE);
}

CDockingDrawerStyle8::CDockingDrawerStyle8()
{
    m_nCaptionSpacing = 9;
    m_rectCaptionMargins.SetRectEmpty();
    m_bBoldCaption = FALSE;
}

void CDockingDrawerStyle8::ReloadMetrics()
{
    CDockingDrawerStyle4::ReloadMetrics();
    m_rebarStyle.Open(nullptr, L"REBAR");
    m_toolbarStyle.Open(nullptr, L"TOOLBAR");
    const BOOL bThemed = m_rebarStyle.IsAppThemed();
    m_pAutoHideTabDrawer->ChooseShape(bThemed ? 0 : 6);
    m_pPaneTabDrawer->ChooseShape(bThemed ? 0 : 5);
    for (CTabStripDrawer* pTabs : {m_pPaneTabDrawer, m_pAutoHideTabDrawer})
    {
        if (bThemed)
            pTabs->ChoosePalette(8);
        pTabs->m_bHotTracking = bThemed;
    }
}

void CDockingDrawerStyle8::DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph)
{
    if (!m_toolbarStyle.IsAppThemed())
    {
        CDockingDrawerStyle4::DrawCaptionButton(pDC, pButton, crGlyph);
        return;
    }
    if (pButton->m_bPressed || pButton->m_bHot)
        m_toolbarStyle.DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, pButton->m_bPressed ? TS_PRESSED : TS_HOT,
                                      &pButton->m_rect, nullptr);
    const CPoint centre = pButton->m_rect.CenterPoint();
    DrawButtonGlyph(pDC, pButton, centre.x, centre.y, crGlyph);
}

void CDockingDrawerStyle8::DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText,
                                          BOOL /*bActive*/, BOOL bVertical)
{
    if (m_rebarStyle.IsAppThemed())
    {
        // Only groups continue the frame's rebar look; other nodes draw nothing.
        CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pNode);
        if (!pContainer)
            return;
        CFrameWnd* pFrame = pContainer->GetParentFrame();
        CRect client;
        pContainer->GetClientRect(&client);
        if (pFrame)
        {
            CRect frame;
            CRect owner;
            pFrame->GetWindowRect(&frame);
            pContainer->GetWindowRect(&owner);
            client.InflateRect(owner.left - frame.left, owner.top - frame.top, frame.right - owner.right,
                               frame.bottom - owner.bottom);
        }
        m_rebarStyle.DrawBackground(pDC->GetSafeHdc(), 0, 0, &client, &band);
    }
    const COLORREF crText = GetColor(COLOR_BTNTEXT);
    pDC->SetTextColor(crText);
    DeflateOriented(&band, 0, 0, 2, 0, bVertical);
    LayoutCaptionButtons(pDC, pNode->GetCaptionButtons(), &band, crText, 16, 2, bVertical);
    DeflateOriented(&band, 4, 1, 0, 0, bVertical);
    DrawCaptionText(pDC, pText, band, bVertical, FALSE);
}
