#include "CDockingDrawerStyles.h"

#include <iterator>

#include "CDockingCaptionButton.h"
#include "CDockingPaneItem.h"
#include "CDrawTools.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "DeviceContexts.h"
#include "window/CDC.h"

namespace {

// Windows 95 and NT 4.0 draw no caption gradients.
BOOL HasCaptionGradients()
{
    OSVERSIONINFOW info{sizeof(info)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&info))
        return TRUE;
#pragma GCC diagnostic pop
    return !(info.dwMajorVersion < 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion == 0));
}

struct SchemeColors
{
    COLORREF inactiveLight;
    COLORREF inactiveDark;
    float factor;
    COLORREF background;
    COLORREF slots[13];
};

constexpr int kSchemeSlots[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};

// Blue, olive and silver.
constexpr SchemeColors kSchemes[3] = {
    {0xFEECDD, 0xE2A981, 0.75f, 0xFCE7D8,
     {0x764127, 0xCB8C6A, 0xD0966D, 0xF6F6F6, 0x962D00, 0xC2EEFF, 0x800000, 0x800000, 0x800000, 0x3E80FE, 0x6FC0FF,
      0xF5BE9E, 0}},
    {0xDEF7F4, 0x91C6B7, 0.3f, 0xBFE7E2,
     {0x335E51, 0x588060, 0x7AAE9F, 0xEEF4F4, 0x5E8D75, 0xC2EEFF, 0x385D3F, 0x385D3F, 0x385D3F, 0x3E80FE, 0x6FC0FF,
      0xA7D9D9, 0}},
    {0xFFF9F9, 0xB79B9C, 0.75f, 0xEADFDF,
     {0x755454, 0x8F6D6E, 0xBEA7A8, 0xFFFAFD, 0x947C7C, 0xC2EEFF, 0x6F4B4B, 0x6F4B4B, 0x6F4B4B, 0x3E80FE, 0x6FC0FF,
      0xE5D7D7, 0}},
};

}  // namespace

CDockingDrawerStyle1::CDockingDrawerStyle1()
{
    m_bBoldCaption = FALSE;
    m_pPaneTabDrawer->ChooseShape(5);
    m_pAutoHideTabDrawer->ChooseShape(6);
}

void CDockingDrawerStyle1::ReloadMetrics()
{
    CDockingDrawerStyle4::ReloadMetrics();
    m_activeCaption.SetStandardValue(GetColor(2), GetColor(27), 0.5f);
    m_inactiveCaption.SetStandardValue(GetColor(3), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), 0.5f);
    m_clrInactiveCaptionText.SetStandardValue(GetColor(18));
    m_clrActiveCaptionText.SetStandardValue(GetColor(9));
    if (!HasCaptionGradients())
    {
        m_inactiveCaption.SetStandardValue(GetColor(3));
        m_activeCaption.SetStandardValue(GetColor(2));
    }
}

COLORREF CDockingDrawerStyle1::DrawCaptionBackground(CDC* pDC, CDockingNode* /*pNode*/, CRect band, BOOL bActive,
                                                     BOOL /*bVertical*/)
{
    if (m_bGradientCaptions)
    {
        CDrawTools::FillStyleGradient(pDC, &band, bActive ? m_activeCaption : m_inactiveCaption, TRUE);
    }
    else if (bActive)
    {
        pDC->FillSolidRect(&band, m_activeCaption.light.GetValue());
    }
    else
    {
        // An outline without its corner pixels.
        const COLORREF crOutline = GetColor(52);
        pDC->FillSolidRect(band.left + 1, band.top, band.Width() - 2, 1, crOutline);
        pDC->FillSolidRect(band.left, band.top + 1, 1, band.Height() - 2, crOutline);
        pDC->FillSolidRect(band.left + 1, band.bottom - 1, band.Width() - 2, 1, crOutline);
        pDC->FillSolidRect(band.right - 1, band.top + 1, 1, band.Height() - 2, crOutline);
    }
    return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

void CDockingDrawerStyle1::DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText,
                                          BOOL bActive, BOOL bVertical)
{
    const COLORREF crGlyph = DrawCaptionBackground(pDC, pNode, band, bActive, bVertical);
    pDC->SetTextColor(bActive ? m_clrActiveCaptionText.GetValue() : m_clrInactiveCaptionText.GetValue());
    DeflateOriented(&band, 0, 0, 2, 0, bVertical);
    LayoutCaptionButtons(pDC, pNode->GetCaptionButtons(), &band, crGlyph, 14, 2, bVertical);
    DeflateOriented(&band, 4, 1, 0, 0, bVertical);
    DrawCaptionText(pDC, pText, band, bVertical, FALSE);
}

CDockingDrawerStyle2::CDockingDrawerStyle2()
{
    m_nCaptionSpacing = 7;
    m_bBoldCaption = TRUE;
    for (CTabStripDrawer* pTabs : {m_pPaneTabDrawer, m_pAutoHideTabDrawer})
    {
        pTabs->ChooseShape(2);
        pTabs->ChoosePalette(4);
        pTabs->m_bHotTracking = TRUE;
    }
}

void CDockingDrawerStyle2::ReloadMetrics()
{
    CDockingDrawerStyle1::ReloadMetrics();
    m_inactiveCaption.SetStandardValue(CColorTable::BlendColors(GetColor(15), GetColor(5), 205), GetColor(15), 0.5f);
    m_clrInactiveCaptionText.SetStandardValue(GetColor(18));
    m_activeCaption.SetStandardValue(GetColor(36));
    m_clrActiveCaptionText.SetStandardValue(GetColor(18));
    m_bLunaColors = FALSE;
    const int nScheme = GetColorScheme();
    if (nScheme < 1 || nScheme > 3)
        return;
    const SchemeColors& scheme = kSchemes[nScheme - 1];
    m_inactiveCaption.SetStandardValue(scheme.inactiveLight, scheme.inactiveDark, scheme.factor);
    m_clrBackground.SetStandardValue(scheme.background);
    m_clrGripper.SetStandardValue(GetColor(38));
    SetColors(static_cast<int>(std::size(kSchemeSlots)), kSchemeSlots, scheme.slots);
    m_bLunaColors = TRUE;
    m_activeCaption.SetStandardValue(0x8CD5FF, 0x4CA6FF, 0.5f);
    m_splitterGradient.SetStandardFrom(GetColorTable()->gradients[1]);
}

void CDockingDrawerStyle2::DrawButtonFace(CDC* pDC, CDockingCaptionButton* pButton, COLORREF* pGlyph)
{
    const CRect& rect = pButton->m_rect;
    const auto framedGradient = [&](COLORREF crFrom, COLORREF crTo) {
        CDrawTools::GradientFill(pDC, &rect, crFrom, crTo, FALSE);
        pDC->Draw3dRect(&rect, GetColor(32), GetColor(32));
        *pGlyph = 0;
    };
    if (pButton->m_bPressed)
    {
        if (m_bLunaColors)
            framedGradient(0x4B8EFE, 0x8BCFFF);
        else
        {
            FillFramed(pDC, rect, 33, 32);
            *pGlyph = GetColor(47);
        }
    }
    else if (pButton->m_bHot)
    {
        if (m_bLunaColors)
            framedGradient(0xC8F2FF, 0x97D4FF);
        else
        {
            FillFramed(pDC, rect, 31, 32);
            *pGlyph = GetColor(45);
        }
    }
}

void CDockingDrawerStyle2::DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph)
{
    DrawButtonFace(pDC, pButton, &crGlyph);
    const CPoint centre = pButton->m_rect.CenterPoint();
    DrawButtonGlyph(pDC, pButton, centre.x, centre.y, crGlyph);
}

void CDockingDrawerStyle2::DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText,
                                          BOOL bActive, BOOL bVertical)
{
    const COLORREF crText = bActive ? m_clrActiveCaptionText.GetValue() : m_clrInactiveCaptionText.GetValue();
    DeflateOriented(&band, 0, 0, 4, 0, bVertical);
    LayoutCaptionButtons(pDC, pNode->GetCaptionButtons(), &band, crText, 16, 0, bVertical);
    if (m_bCaptionGripper && !bVertical && band.left + 7 < band.right)
    {
        for (int y = 5; y < band.Height() - 3; y += 4)
        {
            pDC->FillSolidRect(band.left + 6, band.top + y + 1, 2, 2, GetColor(20));
            pDC->FillSolidRect(band.left + 5, band.top + y, 2, 2, GetColor(38));
        }
        band.left += 8;
    }
    else if (m_bCaptionGripper && bVertical && band.top + 7 < band.bottom)
    {
        for (int x = 4; x - 1 < band.Width() - 5; x += 4)
        {
            pDC->FillSolidRect(band.left + x + 1, band.top + 6, 2, 2, GetColor(20));
            pDC->FillSolidRect(band.left + x, band.top + 5, 2, 2, GetColor(38));
        }
        band.top += 8;
    }
    pDC->SetTextColor(crText);
    DeflateOriented(&band, 6, 1, 2, 0, bVertical);
    DrawCaptionText(pDC, pText, band, bVertical, FALSE);
}

void CDockingDrawerStyle2::DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const int nDepth = m_nCaptionHeight + 3;
    const CRect band = bVertical ? CRect(rect.left, rect.top, rect.left + nDepth, rect.bottom)
                                 : CRect(rect.left, rect.top, rect.right, rect.top + nDepth);
    CRect inner = band;
    const BOOL bActive = IsCaptionActive(pContainer);
    const int nSaved = pDC->SaveDC();
    if (m_bRoundedCaption)
    {
        (bVertical ? inner.top : inner.left) += 1;
        pDC->FillSolidRect(&band, m_clrBackground.GetValue());
        CDrawTools::ExcludeCorners(pDC, &inner);
    }
    CDrawTools::FillStyleGradient(pDC, &inner, bActive ? m_activeCaption : m_inactiveCaption, bVertical);
    pDC->RestoreDC(nSaved);
    if (!m_bRoundedCaption)
    {
        const COLORREF crEdge = GetColor(54);
        pDC->FillSolidRect(band.left, band.top, 1, band.Height(), crEdge);
        pDC->FillSolidRect(band.left, band.top, band.Width(), 1, crEdge);
        pDC->FillSolidRect(band.right - 1, band.top, 1, band.Height(), crEdge);
    }
    const CString strTitle = pContainer->GetTitle();
    DrawCaptionBar(pDC, pContainer, band, &strTitle, bActive, bVertical);
}

// Three frames in the scheme's frame colour, a fourth with rounded corners in
// the inactive caption's dark end, and the caption gradient inside it.
void CDockingDrawerStyle2::DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect)
{
    const COLORREF crFrame = GetColor(43);
    for (int i = 0; i < 3; ++i)
    {
        pDC->Draw3dRect(&rect, crFrame, crFrame);
        rect.DeflateRect(1, 1);
    }
    const int nSaved = pDC->SaveDC();
    CDrawTools::ExcludeCorners(pDC, &rect);
    const COLORREF crEdge = m_inactiveCaption.dark.GetValue();
    pDC->Draw3dRect(&rect, crEdge, crEdge);
    CRect band(rect.left, rect.top, rect.right, rect.top + m_nCaptionHeight + 3);
    const BOOL bActive = IsFrameActive(pWindow);
    CString strTitle;
    pWindow->GetWindowText(strTitle);
    {
        CDoubleBufferDC buffer(pDC->GetSafeHdc(), band);
        buffer.SetBkMode(TRANSPARENT);
        CDrawTools::FillStyleGradient(&buffer, &band, bActive ? m_activeCaption : m_inactiveCaption, FALSE);
        band.DeflateRect(1, 0);
        DrawCaptionBar(&buffer, pWindow, band, &strTitle, bActive, FALSE);
    }
    pDC->RestoreDC(nSaved);
}

CDockingDrawerStyle7::CDockingDrawerStyle7()
{
    m_bCaptionGripper = FALSE;
    m_bRoundedCaption = FALSE;
    m_nCaptionSpacing = 3;
}

void CDockingDrawerStyle7::ReloadMetrics()
{
    CDockingDrawerStyle2::ReloadMetrics();
    if (m_bSystemCaptionFont)
    {
        LOGFONT lf{};
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
        wcscpy_s(lf.lfFaceName, L"Arial");
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 20;
        SetCaptionFont(&lf, FALSE);
    }
    if (m_bLunaColors)
    {
        const CStyleGradient& first = GetColorTable()->gradients[0];
        m_inactiveCaption.SetStandardValue(first.light.GetValue(), first.dark.GetValue(), first.factor);
        m_clrInactiveCaptionText.SetStandardValue(0xFFFFFF);
    }
    else
    {
        m_inactiveCaption.SetStandardValue(CColorTable::BlendColors(GetColor(16), GetColor(5), 205), GetColor(16),
                                           0.5f);
    }
}

CDockingPaneDrawer* CreateDockingDrawer(int nStyle)
{
    switch (nStyle)
    {
    case 1:
        return new CDockingDrawerStyle1();
    case 2:
        return new CDockingDrawerStyle2();
    case 4:
        return new CDockingDrawerStyle4();
    case 3:
        return new CDockingDrawerStyle3();
    case 5:
        return new CDockingDrawerStyle5();
    case 6:
        return new CDockingDrawerStyle6();
    case 7:
        return new CDockingDrawerStyle7();
    case 8:
        return new CDockingDrawerStyle8();
    case 9:
        return new CDockingDrawerStyle9();
    default:
        return new CDockingDrawerDefaultStyle();
    }
}
