#include "ComboEditThemes.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CSharedMetrics.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUiFlatComboBoxThemeFactory, CUiThemeManagerStyleFactory)
IMPLEMENT_DYNCREATE(CUiFlatEditThemeFactory, CUiThemeManagerStyleFactory)

namespace {

COLORREF Slot(int nSlot) { return GetColorTable()->GetColor(static_cast<kit::ColorRef>(nSlot)); }
void FillGradient(CDC* pDC, const CRect& rect, int n)
{
    CDrawTools::FillStyleGradient(pDC, &rect, GetColorTable()->gradients[static_cast<size_t>(n - 1)], FALSE);
}

template <class TDefault, class TFlat, class TScheme>
CControlTheme* MakeOf(int nType)
{
    CControlTheme* pTheme = nType == kThemeFlat ? static_cast<CControlTheme*>(new TFlat())
                            : nType == kThemeScheme ? static_cast<CControlTheme*>(new TScheme())
                                                    : static_cast<CControlTheme*>(new TDefault());
    pTheme->m_nType = nType;
    return pTheme;
}

} // namespace

CControlTheme* CUiFlatComboBoxThemeFactory::MakeTheme(int nType)
{
    return MakeOf<CUiFlatComboBoxTheme, CUiFlatComboBoxThemeFlat, CUiFlatComboBoxThemeScheme>(nType);
}

CControlTheme* CUiFlatEditThemeFactory::MakeTheme(int nType)
{
    return MakeOf<CUiFlatEditTheme, CUiFlatEditThemeFlat, CUiFlatEditThemeScheme>(nType);
}

// ----- combo box themes -----

void CUiFlatComboBoxTheme::UpdateMetrics()
{
    m_cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    m_cyThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    int averageWidth = 0;
    if (HDC hDC = ::GetDC(nullptr))
    {
        HGDIOBJ hOld = ::SelectObject(hDC, GetSharedMetrics()->m_fontNormal.GetSafeHandle());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(hDC, &metrics);
        averageWidth = metrics.tmAveCharWidth;
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(nullptr, hDC);
    }
    m_cxDropButton = std::max(2 * averageWidth + 4, 15);
}

void CUiFlatComboBoxTheme::DrawFlatComboBox(CDC* pDC, CWnd* pCombo, int nState)
{
    CRect client;
    pCombo->GetClientRect(&client);
    const BOOL bEnabled = pCombo->IsWindowEnabled();
    CRect inner = client;
    inner.DeflateRect(m_cxEdge, m_cyEdge);
    if (bEnabled)
    {
        pDC->FillSolidRect(&inner, Slot(5));
        // A drop list has no edit: its text area takes the background too.
        if ((pCombo->GetStyle() & 0x3) == CBS_DROPDOWNLIST)
        {
            CRect text = client;
            text.DeflateRect(m_cxBorder, m_cyBorder);
            text.right -= m_cxDropButton;
            pDC->FillSolidRect(&text, Slot(5));
        }
    }
    else
    {
        pDC->FillSolidRect(&inner, Slot(51));
        pDC->Draw3dRect(&inner, Slot(52), Slot(52));
    }
    DrawFrame(pDC, client, nState, bEnabled);
    CRect button(client.right - m_cxEdge - m_cxDropButton, client.top + m_cyEdge, client.right - m_cxEdge,
                 client.bottom - m_cyEdge);
    DrawDropButton(pDC, button, nState, bEnabled);
    DrawArrow(pDC, button, nState, bEnabled);
}

void CUiFlatComboBoxTheme::DrawFrame(CDC* pDC, const CRect& rect, int nState, BOOL)
{
    if (nState == kFlatHot || nState == kFlatPressed)
        pDC->Draw3dRect(&rect, Slot(16), Slot(20));
}

void CUiFlatComboBoxTheme::DrawDropButton(CDC* pDC, const CRect& rect, int nState, BOOL)
{
    CRect face = rect;
    if (nState == kFlatHot || nState == kFlatPressed)
    {
        pDC->Draw3dRect(&face, Slot(15), Slot(15));
        face.DeflateRect(1, 1);
        if (nState == kFlatHot)
            pDC->Draw3dRect(&face, Slot(20), Slot(16));
        else
            pDC->Draw3dRect(&face, Slot(16), Slot(20));
        face.DeflateRect(1, 1);
    }
    pDC->FillSolidRect(&face, Slot(15));
}

void CUiFlatComboBoxTheme::DrawArrow(CDC* pDC, const CRect& button, int nState, BOOL bEnabled)
{
    // Nine pixels: a 5-3-1 downward triangle in the middle of the button.
    int x = (button.left + button.right - 4) / 2;
    int y = (button.top + button.bottom - 2) / 2;
    if (nState == kFlatPressed && m_nType == kThemeDefault)
    {
        ++x;
        ++y;
    }
    const COLORREF clr = Slot(bEnabled ? 8 : 16);
    pDC->FillSolidRect(x, y, 5, 1, clr);
    pDC->FillSolidRect(x + 1, y + 1, 3, 1, clr);
    pDC->FillSolidRect(x + 2, y + 2, 1, 1, clr);
}

void CUiFlatComboBoxThemeFlat::DrawFrame(CDC* pDC, const CRect& rect, int nState, BOOL)
{
    const COLORREF clr = (nState == kFlatHot || nState == kFlatPressed) ? Slot(32) : Slot(51);
    pDC->Draw3dRect(&rect, clr, clr);
}

void CUiFlatComboBoxThemeFlat::DrawDropButton(CDC* pDC, const CRect& rect, int nState, BOOL)
{
    if (nState != kFlatHot && nState != kFlatPressed)
        return;
    pDC->FillSolidRect(&rect, Slot(nState == kFlatHot ? 31 : 33));
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), Slot(32));
}

void CUiFlatComboBoxThemeScheme::DrawFrame(CDC* pDC, const CRect& rect, int nState, BOOL)
{
    if (nState == kFlatHot || nState == kFlatPressed)
    {
        const COLORREF clr = GetColorTable()->GetLunaColor(32);
        pDC->Draw3dRect(&rect, clr, clr);
    }
}

void CUiFlatComboBoxThemeScheme::DrawDropButton(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled)
{
    if (nState == kFlatHot || nState == kFlatPressed)
    {
        FillGradient(pDC, rect, nState == kFlatHot ? 10 : 9);
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), GetColorTable()->GetLunaColor(32));
    }
    else if (bEnabled)
    {
        FillGradient(pDC, rect, 7);
    }
}

// ----- edit themes -----

void CUiFlatEditTheme::UpdateMetrics()
{
    m_clrShadow.SetStandardValue(Slot(16));
    m_clrHighlight.SetStandardValue(Slot(20));
}

void CUiFlatEditTheme::DrawFlatEdit(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled)
{
    if (!bEnabled)
    {
        pDC->FillSolidRect(&rect, Slot(51));
        pDC->Draw3dRect(&rect, Slot(52), Slot(52));
        return;
    }
    pDC->FillSolidRect(&rect, Slot(5));
    if (nState == kFlatHot || nState == kFlatPressed)
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
}

void CUiFlatEditThemeFlat::DrawFlatEdit(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled)
{
    if (!bEnabled)
    {
        CUiFlatEditTheme::DrawFlatEdit(pDC, rect, nState, bEnabled);
        return;
    }
    pDC->FillSolidRect(&rect, m_clrBack.IsSet() ? m_clrBack.GetValue() : Slot(5));
    if (nState == kFlatHot || nState == kFlatPressed)
    {
        const COLORREF frame = m_clrFrame.IsSet() ? m_clrFrame.GetValue() : Slot(32);
        pDC->Draw3dRect(&rect, frame, frame);
    }
}

void CUiFlatEditThemeFlat::UpdateMetrics()
{
    CUiFlatEditTheme::UpdateMetrics();
    m_clrHotText.SetStandardValue(Slot(45));
    m_clrPressedText.SetStandardValue(Slot(47));
    m_clrHotBack.SetStandardValue(Slot(31));
    m_clrPressedBack.SetStandardValue(Slot(33));
    m_clrFrame.SetStandardValue(Slot(32));
    m_clrBack.SetStandardValue(Slot(5));
    m_clrFace.SetStandardValue(Slot(15));
}

void CUiFlatEditThemeScheme::UpdateMetrics()
{
    CUiFlatEditThemeFlat::UpdateMetrics();
    struct SchemeColours
    {
        COLORREF frame, shadow, face;
    };
    static const SchemeColours kSchemes[3] = {
        {RGB(0, 0, 128), RGB(127, 157, 185), RGB(169, 199, 240)},
        {RGB(63, 93, 56), RGB(164, 185, 127), RGB(197, 212, 159)},
        {RGB(75, 75, 111), RGB(165, 172, 178), RGB(192, 192, 211)},
    };
    const int nScheme = GetLunaScheme();
    if (nScheme >= 1 && nScheme <= 3)
    {
        m_clrHotBack.SetStandardValue(RGB(255, 238, 194));
        m_clrPressedBack.SetStandardValue(RGB(254, 128, 62));
        m_clrHotText.SetStandardValue(RGB(0, 0, 0));
        m_clrPressedText.SetStandardValue(RGB(0, 0, 0));
        m_clrFrame.SetStandardValue(kSchemes[nScheme - 1].frame);
        m_clrShadow.SetStandardValue(kSchemes[nScheme - 1].shadow);
        m_clrFace.SetStandardValue(kSchemes[nScheme - 1].face);
    }
    else
    {
        m_clrShadow.SetStandardValue(Slot(16));
    }
}
