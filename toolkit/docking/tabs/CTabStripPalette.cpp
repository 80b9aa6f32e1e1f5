#include "CTabStripPalette.h"

#include "CDrawTools.h"
#include "CKitTabManagerItem.h"
#include "CTabStrip.h"
#include "CTabStripButton.h"
#include "CTabStripDrawer.h"
#include "window/CDC.h"

namespace {

COLORREF Slot(int nSlot)
{
    return GetColorTable()->GetColor(static_cast<kit::ColorRef>(nSlot));
}

void SetAll(CStyleColor* pColors, std::initializer_list<COLORREF> values)
{
    for (const COLORREF value : values)
        (pColors++)->SetStandardValue(value);
}

BOOL IsHorizontalPosition(int nPosition)
{
    return nPosition == 0 || nPosition == 2;
}

}  // namespace

void CTabStripPalette::ReloadMetrics()
{
    RefreshColorTable();
    m_headerGradient.SetStandardValue(Slot(15));
    m_headerGradient2 = m_headerGradient;
    m_clrOutline.SetStandardValue(Slot(16));
    m_clrFace.SetStandardValue(Slot(15));
    m_clrHighlight.SetStandardValue(Slot(20));
    const BOOL bTrapezoid = m_pDrawer && m_pDrawer->GetShapeNumber() == 7;
    m_clrSelectedTab.SetStandardValue(Slot(bTrapezoid ? 5 : 15));
    m_clrNormalTab.SetStandardValue(Slot(15));
    m_clrTextNormal.SetStandardValue(Slot(18));
    m_clrTextInactive.SetStandardValue(Slot(18));
    m_clrTextSelected.SetStandardValue(Slot(18));
    m_clrTextHot.SetStandardValue(0x800000);
    m_clrTextDisabled.SetStandardValue(Slot(17));
    m_selectedTabGradient.SetStandardValue(Slot(5));
    m_selectedTabFrame.SetStandardValue(Slot(13));
    m_clr3dLight.SetStandardValue(Slot(20));
    m_clr3dShadow.SetStandardValue(Slot(16));
    m_clr3dDarkShadow.SetStandardValue(Slot(21));
    m_clrSlantedOutline.SetStandardValue(Slot(16));
    m_clrSlantedSelectedOutline.SetStandardValue(Slot(16));
    m_clrSlantedInnerEdge.SetStandardValue(Slot(15));
    m_clrSlantedInnerHighlight.SetStandardValue(Slot(15));
    SetAll(m_trapezoidSelected, {Slot(18), Slot(16), Slot(18), kNoColor, kNoColor, kNoColor});
    SetAll(m_trapezoidOther, {Slot(18), Slot(16), Slot(18), Slot(5), Slot(16), kNoColor});
}

void CTabStripPalette::SetTabTextColor(CDC* pDC, CKitTabManagerItem* pItem)
{
    const CTabStrip* pStrip = pItem->m_pStrip;
    COLORREF crText = m_clrTextNormal.GetValue();
    if (!pItem->m_bEnabled)
        crText = m_clrTextDisabled.GetValue();
    else if (pStrip && !pStrip->m_bActive)
        crText = m_clrTextInactive.GetValue();
    else if (pStrip && pStrip->GetSelectedItem() == pItem)
        crText = m_clrTextSelected.GetValue();
    else if (pStrip && pStrip->GetHotItem() == pItem)
        crText = m_clrTextHot.GetValue();
    pDC->SetTextColor(crText);
}

void CTabStripPalette::PaintHeader(CDC* pDC, const CRect& rect, CTabStrip* pStrip)
{
    FillGradient(pDC, rect, m_headerGradient.light.GetValue(), m_headerGradient.dark.GetValue(), pStrip->GetPosition());
}

COLORREF CTabStripPalette::GetTabColor(CKitTabManagerItem* pItem)
{
    if (m_pDrawer && m_pDrawer->m_bTabColors)
        return pItem->GetColor();
    const BOOL bSelected = pItem->m_pStrip && pItem->m_pStrip->GetSelectedItem() == pItem;
    return bSelected ? m_clrSelectedTab.GetValue() : m_clrNormalTab.GetValue();
}

COLORREF CTabStripPalette::FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem)
{
    const COLORREF crFill = GetTabColor(pItem);
    if (crFill != kNoColor)
        pDC->FillSolidRect(&rect, crFill);
    return crFill;
}

COLORREF CTabStripPalette::FillClient(CDC* pDC, const CRect& rect, CTabStrip* pStrip)
{
    CKitTabManagerItem* pSelected = pStrip->GetSelectedItem();
    const COLORREF crFill = pSelected ? GetTabColor(pSelected) : m_clrSelectedTab.GetValue();
    if (crFill != kNoColor)
        pDC->FillSolidRect(&rect, crFill);
    return crFill;
}

void CTabStripPalette::DrawTabFrame(CDC* pDC, CRect rect, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    const BOOL bHorizontal = !pStrip || pStrip->IsHorizontal();
    if (!pStrip || pStrip->GetSelectedItem() != pItem)
    {
        if (bHorizontal)
            pDC->Draw3dRect(rect.right, rect.top + 2, 2, rect.Height() - 4, Slot(16), Slot(20));
        else
            pDC->Draw3dRect(rect.left + 2, rect.bottom, rect.Width() - 4, 2, Slot(16), Slot(20));
        return;
    }
    if (m_pDrawer && m_pDrawer->m_bTabColors)
        pDC->FillSolidRect(&rect, GetTabColor(pItem));
    else
        FillGradient(pDC, rect, m_selectedTabGradient.light.GetValue(), m_selectedTabGradient.dark.GetValue(),
                     pStrip->GetPosition());
    pDC->Draw3dRect(&rect, m_selectedTabFrame.light.GetValue(), m_selectedTabFrame.dark.GetValue());
}

void CTabStripPalette::FillGradient(CDC* pDC, const CRect& rect, COLORREF crLight, COLORREF crDark,
                                    int nPosition) const
{
    if (crLight == kDitherColor)
    {
        const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        const HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        const HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
        const HDC hDC = pDC->GetSafeHdc();
        const COLORREF crOldBk = ::SetBkColor(hDC, Slot(15));
        const COLORREF crOldText = ::SetTextColor(hDC, Slot(20));
        const HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
        ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
        ::SelectObject(hDC, hOld);
        ::SetBkColor(hDC, crOldBk);
        ::SetTextColor(hDC, crOldText);
        ::DeleteObject(hBrush);
        ::DeleteObject(hBitmap);
        return;
    }
    if (crLight == kNoColor)
        return;
    COLORREF crFrom = nPosition <= 1 ? crLight : crDark;
    COLORREF crTo = nPosition <= 1 ? crDark : crLight;
    if (m_pDrawer && m_pDrawer->m_bGradientSwap)
        std::swap(crFrom, crTo);
    CDrawTools::GradientFill(pDC, &rect, crFrom, crTo, !IsHorizontalPosition(nPosition));
}

void CTabStripDefaultPalette::ReloadMetrics()
{
    CTabStripPalette::ReloadMetrics();
    m_selectedTabGradient.SetStandardValue(kDitherColor);
    m_selectedTabFrame.SetStandardValue(Slot(16), Slot(20));
    SetAll(m_trapezoidSelected, {Slot(18), Slot(18), Slot(18), Slot(5), Slot(16), Slot(16)});
    SetAll(m_trapezoidOther, {Slot(18), Slot(18), Slot(18), kNoColor, kNoColor, kNoColor});
    if (m_pDrawer && m_pDrawer->GetShapeNumber() == 7)
    {
        m_clrSelectedTab.SetStandardValue(Slot(15));
        m_clrNormalTab.SetStandardValue(Slot(5));
        m_clrOutline.SetStandardValue(Slot(18));
    }
}

void CTabStripDefaultPalette::DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect)
{
    if (pButton->m_bEnabled && pButton->m_bPressed)
    {
        pDC->Draw3dRect(&rect, Slot(16), Slot(20));
        rect.OffsetRect(1, 1);
    }
    else if (pButton->m_bEnabled && pButton->m_bHot)
    {
        pDC->Draw3dRect(&rect, Slot(20), Slot(16));
    }
    pDC->SetTextColor(Slot(18));
}

void CTabStripFlatPalette::ReloadMetrics()
{
    CTabStripPalette::ReloadMetrics();
    const int nShape = m_pDrawer ? m_pDrawer->GetShapeNumber() : 0;
    if (nShape != 7 && nShape != 4)
        m_headerGradient.SetStandardValue(Slot(48));
    if (nShape == 5)
    {
        m_clrTextNormal.SetStandardValue(Slot(49));
        m_clrTextInactive.SetStandardValue(Slot(49));
    }
    m_headerGradient2 = m_headerGradient;
}

void CTabStripFlatPalette::DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect)
{
    const int nShape = m_pDrawer ? m_pDrawer->GetShapeNumber() : 0;
    if (nShape == 7 || nShape == 4)
    {
        CTabStripDefaultPalette().DrawButtonBackground(pDC, pButton, rect);
        return;
    }
    if (pButton->m_bEnabled && pButton->m_bPressed)
    {
        pDC->Draw3dRect(&rect, Slot(18), Slot(15));
        rect.OffsetRect(1, 1);
    }
    else if (pButton->m_bEnabled && pButton->m_bHot)
    {
        pDC->Draw3dRect(&rect, Slot(15), Slot(18));
    }
    pDC->SetTextColor(Slot(49));
}

namespace {

struct LunaTabColors
{
    COLORREF outline, darkShadow, shadow, innerHighlight, selectedGradient, frame;
    COLORREF headerLight, headerDark, header2Light, header2Dark, normalTab, selectedTab, hotTab;
};

// Blue, olive and silver.
constexpr LunaTabColors kLunaTabColors[3] = {
    {0x9C613B, 0x9A3500, 0xF1A675, 0xFFFFFF, 0x6FC0FF, 0x800000, 0xFADAC4, 0xFEFDFC, 0xF5BE9E, 0xFADAC4, 0xF6C0A2,
     0x73C2FF, 0xC9F0FF},
    {0x588060, 0x6B7760, 0x8CC2B0, 0xFFFFFF, 0x6FC0FF, 0x385D3F, 0xE4F1F2, 0xFEFEFC, 0xA7D9D9, 0xE4F1F2, 0xAADED0,
     0x73C2FF, 0xC7F0FF},
    {0x947C7C, 0x927476, 0xCEB9BA, 0xFFFFFF, 0x6FC0FF, 0x6F4B4B, 0xF7F3F3, 0xFEFEFC, 0xE5D7D7, 0xF7F3F3, 0xE6D9D9,
     0x73C2FF, 0xC2EEFF},
};

}  // namespace

void CTabStripLunaPalette::ReloadMetrics()
{
    CTabStripDefaultPalette::ReloadMetrics();
    m_headerGradient.SetStandardValue(Slot(15), CColorTable::BlendColors(Slot(15), Slot(5), 205), 0.5f);
    m_selectedTabGradient.SetStandardValue(Slot(36));
    m_selectedTabFrame.SetStandardValue(Slot(37));
    m_clrHotTab.SetStandardValue(Slot(36));
    m_clrTextHot.SetStandardValue(Slot(18));
    m_headerGradient2 = m_headerGradient;
    m_bScheme = FALSE;
    if (m_pDrawer && !m_pDrawer->AreLunaColorsDisabled())
    {
        const int nScheme = GetLunaScheme();
        if (nScheme >= 1 && nScheme <= 3)
        {
            const LunaTabColors& c = kLunaTabColors[nScheme - 1];
            m_clrOutline.SetStandardValue(c.outline);
            m_clrSlantedSelectedOutline.SetStandardValue(c.outline);
            m_clr3dDarkShadow.SetStandardValue(c.darkShadow);
            m_clrSlantedOutline.SetStandardValue(c.darkShadow);
            m_clr3dShadow.SetStandardValue(c.shadow);
            m_clrSlantedInnerEdge.SetStandardValue(c.shadow);
            m_clrSlantedInnerHighlight.SetStandardValue(c.innerHighlight);
            m_selectedTabGradient.SetStandardValue(c.selectedGradient);
            m_selectedTabFrame.SetStandardValue(c.frame);
            m_clrButtonFrame.SetStandardValue(c.frame);
            m_headerGradient.SetStandardValue(c.headerLight, c.headerDark, 0.5f);
            m_headerGradient2.SetStandardValue(c.header2Light, c.header2Dark, 0.5f);
            m_clrNormalTab.SetStandardValue(c.normalTab);
            m_clrSelectedTab.SetStandardValue(c.selectedTab);
            m_clrHotTab.SetStandardValue(c.hotTab);
            m_bScheme = TRUE;
        }
        else
        {
            m_clrSelectedTab.SetStandardValue(Slot(36));
        }
    }
    SetAll(m_trapezoidSelected, {m_clrOutline.GetValue(), m_clrOutline.GetValue(), m_clrOutline.GetValue(), kNoColor,
                                 kNoColor, kNoColor});
    for (int i = 0; i < 6; ++i)
        m_trapezoidOther[i] = m_trapezoidSelected[i];
    if (m_pDrawer && m_pDrawer->GetShapeNumber() == 4)
    {
        m_headerGradient.SetStandardValue(Slot(15));
        m_headerGradient2.SetStandardValue(Slot(15));
    }
}

COLORREF CTabStripLunaPalette::FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem)
{
    const BOOL bHot = pItem->m_pStrip && pItem->m_pStrip->GetHotItem() == pItem;
    const COLORREF crTab = bHot ? m_clrHotTab.GetValue() : GetTabColor(pItem);
    FillGradient(pDC, rect, CColorTable::BlendColors(crTab, 0xFFFFFF, 300), crTab,
                 pItem->m_pStrip ? pItem->m_pStrip->GetPosition() : 0);
    return crTab;
}

void CTabStripLunaPalette::DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect)
{
    COLORREF crText = Slot(18);
    const auto schemeFace = [&](COLORREF crTop, COLORREF crBottom) {
        CDrawTools::GradientFill(pDC, &rect, crTop, crBottom, FALSE);
        pDC->Draw3dRect(&rect, m_clrButtonFrame.GetValue(), m_clrButtonFrame.GetValue());
    };
    if (pButton->m_bEnabled && pButton->m_bPressed && pButton->m_bHot)
    {
        if (m_bScheme)
            schemeFace(0x4B8EFE, 0x8BCFFF);
        else
        {
            pDC->FillSolidRect(&rect, Slot(33));
            pDC->Draw3dRect(&rect, Slot(50), Slot(50));
            crText = Slot(47);
        }
    }
    else if (pButton->m_bEnabled && (pButton->m_bPressed || pButton->m_bHot))
    {
        if (m_bScheme)
            schemeFace(0xC8F2FF, 0x97D4FF);
        else
        {
            pDC->FillSolidRect(&rect, Slot(31));
            pDC->Draw3dRect(&rect, Slot(32), Slot(32));
            crText = Slot(45);
        }
    }
    pDC->SetTextColor(crText);
}

void CTabStripGradientPalette::ReloadMetrics()
{
    CTabStripPalette::ReloadMetrics();
    m_clrSelectedTab.SetStandardValue(0xFFFFFF);
    m_bScheme = FALSE;
    m_bGradientTabs = FALSE;
    m_clrHotTab.SetStandardValue(Slot(36));
    m_clrTextHot.SetStandardValue(Slot(18));
    if (m_pDrawer && !m_pDrawer->AreLunaColorsDisabled())
    {
        CTabStripLunaPalette::ReloadMetrics();
        return;
    }
    const int nScheme = GetLunaScheme();
    if (nScheme == 1 || nScheme == 2)
        m_headerGradient.SetStandardValue(0xD5E2E4);
    else if (nScheme == 3)
    {
        m_clrNormalTab.SetStandardValue(0xF8F5F5);
        m_headerGradient.SetStandardValue(0xEEEEEE);
    }
    m_bGradientTabs = nScheme >= 1 && nScheme <= 3;
    m_clrOutline.SetStandardValue(Slot(57));
    m_clrSlantedSelectedOutline.SetStandardValue(Slot(57));
}

COLORREF CTabStripGradientPalette::FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem)
{
    if (m_bGradientTabs)
        return CTabStripLunaPalette::FillTab(pDC, rect, pItem);
    const BOOL bHot = pItem->m_pStrip && pItem->m_pStrip->GetHotItem() == pItem;
    const COLORREF crTab = bHot ? m_clrHotTab.GetValue() : GetTabColor(pItem);
    if (crTab != kNoColor)
        pDC->FillSolidRect(&rect, crTab);
    return crTab;
}

void CTabStripThemedPalette::ReloadMetrics()
{
    CTabStripDefaultPalette::ReloadMetrics();
    m_tabStyle.Open(nullptr, L"TAB");
    if (m_tabStyle.IsAppThemed())
    {
        m_clr3dLight.SetStandardValue(kNoColor);
        m_clr3dShadow.SetStandardValue(kNoColor);
        m_clr3dDarkShadow.SetStandardValue(kNoColor);
        m_clrTextHot = m_clrTextNormal;
    }
    m_toolbarStyle.Open(nullptr, L"TOOLBAR");
}

BOOL CTabStripThemedPalette::IsThemed() const
{
    return const_cast<CVisualStyleData&>(m_tabStyle).IsAppThemed();
}

COLORREF CTabStripThemedPalette::FillClient(CDC* pDC, const CRect& rect, CTabStrip* pStrip)
{
    if (!IsThemed())
        return CTabStripDefaultPalette::FillClient(pDC, rect, pStrip);
    CRect pane = rect;
    if (pStrip->GetPosition() == 2)
        pane.bottom += 1;
    else if (pStrip->GetPosition() == 3)
        pane.right += 1;
    m_tabStyle.DrawBackground(pDC->GetSafeHdc(), 9, 0, &pane, nullptr);
    return 0;
}

void CTabStripThemedPalette::DrawTabFrame(CDC* pDC, CRect rect, CKitTabManagerItem* pItem)
{
    const BOOL bSelected = pItem->m_pStrip && pItem->m_pStrip->GetSelectedItem() == pItem;
    if (!m_toolbarStyle.IsAppThemed() || !bSelected)
    {
        CTabStripDefaultPalette::DrawTabFrame(pDC, rect, pItem);
        return;
    }
    const BOOL bHot = pItem->m_pStrip->GetHotItem() == pItem;
    m_toolbarStyle.DrawBackground(pDC->GetSafeHdc(), 1, bHot ? 6 : 5, &rect, nullptr);
}

COLORREF CTabStripThemedPalette::FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    // Tabs along the other edges would need the top tab turned over; they
    // are filled as the default set fills them.
    if (!IsThemed() || !pStrip || pStrip->GetPosition() != 0)
        return CTabStripDefaultPalette::FillTab(pDC, rect, pItem);
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    CRect tab = rect;
    if (bSelected)
        tab.bottom += 1;
    tab.InflateRect(1, 1, 1, 0);
    const int nState = bSelected ? 3 : (pStrip->GetHotItem() == pItem ? 5 : 1);
    m_tabStyle.DrawBackground(pDC->GetSafeHdc(), 1, nState, &tab, nullptr);
    return kNoColor;
}

void CTabStripThemedPalette::FillStripBackground(CDC* pDC, const CRect& rect, CTabStrip* pStrip)
{
    if (!IsThemed() || !m_pDrawer)
        return;
    const CRect client = m_pDrawer->GetShape()->GetClientRect(rect, pStrip);
    CPoint corner(client.left, client.top);
    if (pStrip->GetPosition() == 2)
        corner.y = client.bottom - 2;
    else if (pStrip->GetPosition() == 3)
        corner.x = client.right - 2;
    ::ExcludeClipRect(pDC->GetSafeHdc(), corner.x, corner.y, corner.x + 1, corner.y + 1);
}

void CTabStripThemedPalette::DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect)
{
    if (!m_toolbarStyle.IsAppThemed())
    {
        CTabStripDefaultPalette::DrawButtonBackground(pDC, pButton, rect);
        return;
    }
    if (pButton->m_bEnabled)
        m_toolbarStyle.DrawBackground(pDC->GetSafeHdc(), 1, pButton->m_bPressed ? 3 : (pButton->m_bHot ? 2 : 1), &rect,
                                      nullptr);
    pDC->SetTextColor(Slot(18));
}

CTabStripPalette* CreateTabStripPalette(int nNumber)
{
    switch (nNumber)
    {
    case 8:
        return new CTabStripThemedPalette();
    case 16:
        return new CTabStripGradientPalette();
    case 2:
        return new CTabStripFlatPalette();
    case 4:
        return new CTabStripLunaPalette();
    default:
        return new CTabStripDefaultPalette();
    }
}
