// Styles 6 and 9: gradient captions and splitter bars that continue one
// gradient across the frame; style 9 with single-colour outlined captions.
#include "CDockingDrawerStyles.h"
#include "CDockingTabPalette.h"
#include "CDrawTools.h"
#include "GdiSelectors.h"
#include "window/CDC.h"

CDockingDrawerStyle6::CDockingDrawerStyle6()
{
    m_rectCaptionMargins.SetRectEmpty();
    m_bGradientCaptions = TRUE;
    m_bBoldCaption = FALSE;
    m_nSplitterFlags = kSplitterFrameGradient;
    m_nColorSchemeSetting = 0;
    for (CTabStripDrawer* pTabs : {m_pPaneTabDrawer, m_pAutoHideTabDrawer})
    {
        pTabs->ChooseShape(2);
        pTabs->m_bClassicColors = TRUE;
        pTabs->m_bHotTracking = FALSE;
        if (auto* pRounded = dynamic_cast<CTabStripShapeRounded*>(pTabs->GetShape()))
            pRounded->m_bBlendedCorners = FALSE;
    }
    m_pPaneTabDrawer->SetPalette(new CDockingTabPalette(TRUE, FALSE));
    m_pAutoHideTabDrawer->SetPalette(new CDockingTabPalette(FALSE, FALSE));
    m_pPaneTabDrawer->m_nClientFrame = 2;
    m_pAutoHideTabDrawer->SetLayout(0);
}

void CDockingDrawerStyle6::ReloadMetrics()
{
    CDockingDrawerStyle1::ReloadMetrics();
    m_clrInactiveCaptionText.SetStandardValue(GetColor(COLOR_INACTIVECAPTIONTEXT));
    const int nScheme = ::GetLunaScheme();
    if (nScheme == 1 || nScheme == 2)
    {
        m_splitterGradient.SetStandardValue(0xD7E5E5, 0xE7F1F4, 0.5f);
        m_inactiveCaption.SetStandardValue(0xC6D7D8, 0xE5EFEE, 0.5f);
        m_clrInactiveCaptionText.SetStandardValue(0);
    }
    else if (nScheme == 3)
    {
        m_splitterGradient.SetStandardValue(0xE5D7D7, 0xF7F3F3, 0.5f);
        m_inactiveCaption.SetStandardValue(0xEBE0E0, 0xF6F2F2, 0.5f);
        m_activeCaption.SetStandardValue(0xBA9EA0, 0xEBE1E0, 0.5f);
        m_clrInactiveCaptionText.SetStandardValue(0);
    }
}

CDockingDrawerStyle9Base::CDockingDrawerStyle9Base()
{
    for (CTabStripDrawer* pTabs : {m_pPaneTabDrawer, m_pAutoHideTabDrawer})
    {
        pTabs->ChooseShape(9);
        pTabs->SetPalette(new CDockingTabPalette(TRUE, FALSE));
    }
}

void CDockingDrawerStyle9Base::ReloadMetrics()
{
    CDockingDrawerStyle6::ReloadMetrics();
    m_inactiveCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION));
    m_activeCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    m_crCaptionOutline = GetColor(COLOR_3DSHADOW);
    switch (::GetLunaScheme())
    {
    case 1:
        m_inactiveCaption.SetStandardValue(0xBAC7CC);
        m_activeCaption.SetStandardValue(0xED803B, 0xC56A31, 0.5f);
        break;
    case 2:
        m_inactiveCaption.SetStandardValue(0xBAC7CC);
        m_activeCaption.SetStandardValue(0x92C3B6, 0x75A091, 0.5f);
        break;
    case 3:
        m_inactiveCaption.SetStandardValue(0xF5F0F0);
        m_activeCaption.SetStandardValue(0xDDD4D3, 0xBFA5A6, 0.5f);
        m_crCaptionOutline = 0x9C9B91;
        break;
    default:
        return;
    }
    m_clrInactiveCaptionText.SetCustomValue(0);
}

COLORREF CDockingDrawerStyle9Base::DrawCaptionBackground(CDC* pDC, CDockingNode* /*pNode*/, CRect band,
                                                         BOOL bActive, BOOL bVertical)
{
    CDrawTools::FillStyleGradient(pDC, &band, bActive ? m_activeCaption : m_inactiveCaption, bVertical);
    CPenSelector pen(pDC->GetSafeHdc(), m_crCaptionOutline);
    if (!bVertical)
    {
        const POINT outline[] = {{band.left, band.bottom}, {band.left, band.top}, {band.right - 1, band.top},
                                 {band.right - 1, band.bottom - 1}};
        pDC->Polyline(outline, 4);
    }
    else
    {
        const POINT outline[] = {{band.right, band.bottom - 1}, {band.left, band.bottom - 1}, {band.left, band.top},
                                 {band.right, band.top}};
        pDC->Polyline(outline, 4);
    }
    return bActive ? m_clrActiveCaptionText.GetValue() : m_clrInactiveCaptionText.GetValue();
}

CDockingDrawerStyle9::CDockingDrawerStyle9()
{
    // Rounded tabs without blended corners; the group's tab row fills only
    // its selected tab.
    for (CTabStripDrawer* pTabs : {m_pAutoHideTabDrawer, m_pPaneTabDrawer})
    {
        auto* pShape = new CTabStripShapeRounded();
        pShape->m_rectMargins.SetRect(2, 2, 4, 0);
        pShape->m_bBlendedCorners = FALSE;
        const BOOL bPaneTabs = pTabs == m_pPaneTabDrawer;
        pShape->m_bSelectedOnly = bPaneTabs;
        pTabs->SetShape(pShape);
        pTabs->SetPalette(new CDockingTabPalette9(bPaneTabs, TRUE));
    }
    m_pPaneTabDrawer->m_nClientFrame = 1;
    m_pPaneTabDrawer->m_rectClientMargins.top = 1;
}
