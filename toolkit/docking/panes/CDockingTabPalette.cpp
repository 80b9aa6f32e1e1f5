#include "CDockingTabPalette.h"

#include "CDockingPaneDrawer.h"
#include "CKitTabManagerItem.h"
#include "CTabStrip.h"
#include "window/CDC.h"

void CDockingTabPalette::ReloadMetrics()
{
    CTabStripPalette::ReloadMetrics();
    if (m_bWhiteSelected)
        m_clrSelectedTab.SetCustomValue(0xFFFFFF);
    const COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    m_headerGradient.SetStandardValue(crFace, CColorTable::BlendColors(crFace, ::GetSysColor(COLOR_WINDOW), 205), 0.5f);
    m_bGradientTabs = FALSE;
    m_bScheme = FALSE;
    switch (GetLunaScheme())
    {
    case 1:
    case 2:
        m_bGradientTabs = TRUE;
        m_clrSlantedInnerHighlight.SetStandardValue(0xFFFFFF);
        m_headerGradient.SetStandardValue(0xD7E5E5, 0xE7F1F4, 0.5f);
        break;
    case 3:
        m_bGradientTabs = TRUE;
        m_clrNormalTab.SetStandardValue(0xF7F2F2);
        m_clrSlantedInnerHighlight.SetStandardValue(0xFFFFFF);
        m_clrSlantedOutline.SetStandardValue(0x9C9B91);
        m_clrSlantedSelectedOutline.SetStandardValue(0x9C9B91);
        m_clrSlantedInnerEdge.SetStandardValue(0xD8BEBE);
        m_headerGradient.SetStandardValue(0xE5D7D7, 0xF7F3F3, 0.5f);
        break;
    default:
        break;
    }
    m_headerGradient2 = m_headerGradient;
}

void CDockingTabPalette::PaintHeader(CDC* pDC, const CRect& rect, CTabStrip* pStrip)
{
    FillFrameGradientIn(pDC, rect, pStrip->GetOwnerWindow(), &m_headerGradient);
}

COLORREF CDockingTabPalette::FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem)
{
    const BOOL bSelected = pItem->m_pStrip && pItem->m_pStrip->GetSelectedItem() == pItem;
    if (m_bSelectedOnly && !(m_bWhiteSelected && bSelected))
        return kNoColor;
    if (m_bGradientTabs)
        return CTabStripLunaPalette::FillTab(pDC, rect, pItem);
    return CTabStripPalette::FillTab(pDC, rect, pItem);
}

void CDockingTabPalette9::ReloadMetrics()
{
    CDockingTabPalette::ReloadMetrics();
    m_bGradientTabs = FALSE;
    m_bScheme = FALSE;
    const int nScheme = GetLunaScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        m_clrTextNormal.SetStandardValue(0x646F71);
        if (!m_bWhiteSelected)
            m_clrTextSelected.SetStandardValue(0x646F71);
    }
}
