#include "ButtonThemes.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CSharedMetrics.h"
#include "CUiButton.h"
#include "core/ColorMath.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUiButtonThemeFactory, CUiThemeManagerStyleFactory)

namespace {

COLORREF Slot(int nSlot) { return GetColorTable()->GetColor(static_cast<kit::ColorRef>(nSlot)); }

const CStyleGradient& Gradient(int n) { return GetColorTable()->gradients[static_cast<size_t>(n - 1)]; }

void FillGradient(CDC* pDC, const CRect& rect, int n) { CDrawTools::FillStyleGradient(pDC, &rect, Gradient(n), FALSE); }

} // namespace

CControlTheme* CUiButtonThemeFactory::MakeTheme(int nType)
{
    CControlTheme* pTheme = nullptr;
    if (nType == kThemeFlat)
        pTheme = new CUiButtonThemeFlat();
    else if (nType == kThemeScheme)
        pTheme = new CUiButtonThemeScheme();
    else
        pTheme = new CUiButtonTheme();
    pTheme->m_nType = nType;
    return pTheme;
}

// ----- default theme -----

CUiButtonTheme::CUiButtonTheme() = default;

void CUiButtonTheme::UpdateMetrics()
{
    m_clrFace.SetStandardValue(Slot(15));
    m_clrText.SetStandardValue(Slot(18));
    m_clrGrayText.SetStandardValue(Slot(17));
    m_clrLight.SetStandardValue(Slot(15));
    m_clrShadow.SetStandardValue(Slot(16));
    m_clrHighlight.SetStandardValue(Slot(20));
    m_clrDarkShadow.SetStandardValue(Slot(21));
}

BOOL CUiButtonTheme::IsHotTracking(CUiButton* pButton)
{
    return UseVisualStyle(pButton) || (pButton->GetXButtonStyle() & (kButtonFlat | kButtonThin)) != 0;
}

BOOL CUiButtonTheme::UseVisualStyle(CUiButton* pButton)
{
    if ((pButton->GetXButtonStyle() & kButtonVisualStyle) == 0)
        return FALSE;
    if (!m_visualStyle.IsOpen())
        m_visualStyle.Open(pButton->GetSafeHwnd(), L"BUTTON");
    return CVisualStyleData::IsThemeActive() && m_visualStyle.IsOpen();
}

CFont* CUiButtonTheme::GetFont(CUiButton* pButton)
{
    if (m_pFont != nullptr && m_pFont->GetSafeHandle() != nullptr)
        return m_pFont;
    return pButton != nullptr ? pButton->GetFont() : nullptr;
}

void CUiButtonTheme::SetFont(CFont* pFont)
{
    if (pFont != nullptr && pFont->GetSafeHandle() != nullptr)
        m_pFont = pFont;
}

namespace {

// Sets a colour's custom part; the effective colour before comes back.
COLORREF ReplaceCustom(CStyleColor& color, COLORREF clr)
{
    const COLORREF previous = color;
    color.SetCustomValue(clr);
    return previous;
}

} // namespace

COLORREF CUiButtonTheme::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    const COLORREF previous = ReplaceCustom(m_clrFace, clrFace);
    m_clrLight.SetCustomValue(clrLight);
    m_clrShadow.SetCustomValue(clrShadow);
    m_clrText.SetCustomValue(clrText);
    return previous;
}

COLORREF CUiButtonTheme::SetFaceColor(COLORREF clr) { return ReplaceCustom(m_clrFace, clr); }
COLORREF CUiButtonTheme::SetLightColor(COLORREF clr) { return ReplaceCustom(m_clrLight, clr); }
COLORREF CUiButtonTheme::SetShadowColor(COLORREF clr) { return ReplaceCustom(m_clrShadow, clr); }
COLORREF CUiButtonTheme::SetTextColor(COLORREF clr) { return ReplaceCustom(m_clrText, clr); }

BOOL CUiButtonTheme::IsPressed(CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    return (dis.itemState & ODS_SELECTED) != 0 || pButton->IsChecked();
}

BOOL CUiButtonTheme::IsHot(CUiButton* pButton) { return pButton->IsHot(); }

CPoint CUiButtonTheme::CalcImagePosition(CUiButton* pButton, CSize imageSize)
{
    CRect client;
    pButton->GetClientRect(&client);
    const int x = (pButton->GetXButtonStyle() & kButtonImageAbove) != 0
                      ? std::max(0, static_cast<int>((client.Width() - imageSize.cx) / 2))
                      : pButton->m_nImageMargin;
    const int y = std::max(0, static_cast<int>((client.Height() - imageSize.cy) / 2));
    return CPoint(x, y);
}

int CUiButtonTheme::AlignX(CUiButton* pButton, const CRect& rect, int width, int taken)
{
    const DWORD align = pButton->GetStyle() & (BS_LEFT | BS_RIGHT);
    const int margin = pButton->m_nImageMargin;
    if (align == BS_LEFT)
        return rect.left + margin + taken;
    if (align == BS_RIGHT)
        return rect.right - margin - width;
    return rect.left + margin + taken + std::max(0, (rect.Width() - margin - taken - width) / 2);
}

CPoint CUiButtonTheme::CalcTextPosition(CUiButton* pButton, const CRect& itemRect, CSize textSize)
{
    if (pButton->HasContentPositions())
        return pButton->GetTextPosition();
    const CSize image = pButton->GetIconSize();
    const BOOL bAbove = (pButton->GetXButtonStyle() & kButtonImageAbove) != 0;
    int y = itemRect.top + (itemRect.Height() - textSize.cy) / 2;
    if (bAbove && image.cy > 0)
        y += pButton->m_nImageGap / 2 + image.cy / 2;
    const int taken = (!bAbove && image.cx > 0) ? image.cx + pButton->m_nImageGap : 0;
    return CPoint(AlignX(pButton, itemRect, textSize.cx, taken), y);
}

CPoint CUiButtonTheme::CalcImagePositionWithText(CUiButton* pButton, const CRect& itemRect, CSize imageSize)
{
    if (pButton->HasContentPositions())
        return pButton->GetImagePosition();
    CPoint pt = CalcImagePosition(pButton, imageSize);
    const CString text = pButton->GetButtonText(TRUE);
    const DWORD style = pButton->GetStyle();
    if ((pButton->GetXButtonStyle() & kButtonImageAbove) != 0)
    {
        if (!text.IsEmpty())
        {
            CClientDC dc(pButton);
            CFont* pOld = dc.SelectObject(GetFont(pButton));
            const CSize textSize = dc.GetTextExtent(text);
            dc.SelectObject(pOld);
            pt.y -= pButton->m_nImageGap / 2 + textSize.cy / 2;
        }
        pt.x = AlignX(pButton, itemRect, imageSize.cx, 0);
        if ((style & (BS_LEFT | BS_RIGHT)) == 0 || (style & (BS_LEFT | BS_RIGHT)) == BS_CENTER)
            pt.x = itemRect.left + std::max(0, static_cast<int>((itemRect.Width() - imageSize.cx) / 2));
        return pt;
    }
    pt.x = pButton->m_nImageMargin;
    if (text.IsEmpty())
    {
        if ((style & BS_CENTER) == BS_CENTER && imageSize.cx <= itemRect.Width())
            pt.x = itemRect.left + (itemRect.Width() - imageSize.cx) / 2;
        if ((style & BS_VCENTER) == BS_VCENTER && imageSize.cy <= itemRect.Height())
            pt.y = itemRect.top + (itemRect.Height() - imageSize.cy) / 2;
    }
    return pt;
}

COLORREF CUiButtonTheme::GetButtonTextColor(CUiButton*, BOOL bDisabled, BOOL, BOOL)
{
    return bDisabled ? m_clrGrayText.GetValue() : m_clrText.GetValue();
}

void CUiButtonTheme::DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    const CString full = pButton->GetButtonText(FALSE);
    if (full.IsEmpty())
        return;
    CString stripped = full;
    RemoveSingleAmpersands(stripped);
    CFont* pOld = pDC->SelectObject(GetFont(pButton));
    const CSize textSize = pDC->GetTextExtent(stripped);
    CRect itemRect(dis.rcItem);
    itemRect.DeflateRect(2, 2);
    CPoint pt = CalcTextPosition(pButton, itemRect, textSize);
    if (IsPressed(pButton, dis) && m_bOffsetTextWhenPressed)
        pt.Offset(1, 1);
    pDC->SetTextColor(GetButtonTextColor(pButton, IsDisabled(dis), IsPressed(pButton, dis), IsHot(pButton)));
    const UINT align = pDC->SetTextAlign(0);
    pDC->DrawState(pt, textSize, full, DST_PREFIXTEXT, TRUE, 0, static_cast<HBRUSH>(nullptr));
    pDC->SetTextAlign(align);
    pDC->SelectObject(pOld);
}

void CUiButtonTheme::DrawImage(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    CCommandIcon* pIcon = pButton->GetIcon();
    if (pIcon == nullptr || !m_bShowImages)
        return;
    CRect itemRect(dis.rcItem);
    const CSize size = pButton->GetIconSize();
    CPoint pt = CalcImagePositionWithText(pButton, itemRect, size);
    const BOOL bPressed = IsPressed(pButton, dis);
    if (bPressed)
        pt.Offset(1, 1);
    if (IsDisabled(dis))
        pIcon->Draw(pDC, pt, pIcon->GetDisabledImage(), size);
    else if (bPressed || IsHot(pButton))
        pIcon->Draw(pDC, pt, pIcon->GetHotImage(), size);
    else
        pIcon->Draw(pDC, pt, pIcon->GetImage(), size);
}

void CUiButtonTheme::DrawItem(const DRAWITEMSTRUCT& dis, CUiButton* pButton)
{
    CDC* pDC = CDC::FromHandle(dis.hDC);
    if (!DrawVisualStyle(pDC, pButton, dis))
        DrawFrame(pDC, pButton, dis);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    DrawButtonText(pDC, pButton, dis);
    DrawImage(pDC, pButton, dis);
    if ((pButton->GetXButtonStyle() & kButtonFocusMark) != 0 && (dis.itemState & ODS_FOCUS) != 0)
        DrawFocus(pDC, pButton, dis);
    pDC->SetBkMode(nOldMode);
}

BOOL CUiButtonTheme::DrawVisualStyle(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    if (!UseVisualStyle(pButton))
        return FALSE;
    int nState = 1;
    if (IsDisabled(dis))
        nState = 4;
    else if (IsPressed(pButton, dis))
        nState = 3;
    else if (IsHot(pButton))
        nState = 2;
    else if ((dis.itemState & ODS_FOCUS) != 0)
        nState = 5;
    return SUCCEEDED(m_visualStyle.DrawBackground(pDC->GetSafeHdc(), 1, nState, &dis.rcItem, nullptr));
}

void CUiButtonTheme::DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    CRect rect(dis.rcItem);
    const BOOL bPressed = IsPressed(pButton, dis);
    const BOOL bHot = IsHot(pButton);
    pDC->FillSolidRect(&rect, GetFaceColor());
    const DWORD style = pButton->GetXButtonStyle();
    if ((style & kButtonDither) != 0 && bPressed)
        DrawDitherPattern(pDC, &rect);
    if ((style & (kButtonFlat | kButtonThin)) == 0)
    {
        if (bPressed)
        {
            pDC->Draw3dRect(&rect, m_clrDarkShadow, m_clrHighlight);
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrLight);
        }
        else
        {
            pDC->Draw3dRect(&rect, m_clrHighlight, m_clrDarkShadow);
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(&rect, m_clrLight, m_clrShadow);
        }
    }
    else if ((style & kButtonThin) != 0)
    {
        if (bPressed)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
        else
            pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
    }
    else if (bPressed)
    {
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
    }
    else if (bHot)
    {
        pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
    }
}

void CUiButtonTheme::DrawFocusRectangle(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    CRect rect(dis.rcItem);
    const int inset = UseVisualStyle(pButton) ? 4 : 2;
    rect.DeflateRect(inset, inset);
    pDC->SetTextColor(m_clrText);
    pDC->DrawFocusRect(&rect);
}

void CUiButtonTheme::DrawFocus(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    DrawFocusRectangle(pDC, pButton, dis);
}

// ----- flat theme -----

CUiButtonThemeFlat::CUiButtonThemeFlat(BOOL bOfficeFace) : m_bOfficeFace(bOfficeFace)
{
    m_bOffsetTextWhenPressed = FALSE;
}

void CUiButtonThemeFlat::UpdateMetrics()
{
    CUiButtonTheme::UpdateMetrics();
    m_clrFace.SetStandardValue(m_bOfficeFace ? Slot(30) : Slot(15));
    m_clrPressedBack.SetStandardValue(Slot(33));
    m_clrHotBack.SetStandardValue(Slot(31));
    m_clrShadow.SetStandardValue(Slot(16));
    m_clrLight.SetStandardValue(Slot(32));
    m_clrText.SetStandardValue(Slot(46));
    m_clrHotText.SetStandardValue(Slot(45));
    m_clrPressedText.SetStandardValue(Slot(47));
    m_clrCheckedBack.SetStandardValue(Slot(36));
}

void CUiButtonThemeFlat::SetOfficeFace(BOOL bOfficeFace)
{
    m_bOfficeFace = bOfficeFace;
    UpdateMetrics();
}

COLORREF CUiButtonThemeFlat::GetButtonTextColor(CUiButton*, BOOL bDisabled, BOOL bPressed, BOOL bHot)
{
    if (bDisabled)
        return Slot(17);
    if (bHot)
        return m_clrHotText;
    if (bPressed)
        return m_clrPressedText;
    return m_clrText;
}

void CUiButtonThemeFlat::DrawImage(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    CCommandIcon* pIcon = pButton->GetIcon();
    if (pIcon == nullptr || !m_bShowImages)
        return;
    const CSize size = pButton->GetIconSize();
    const CPoint pt = CalcImagePositionWithText(pButton, CRect(dis.rcItem), size);
    if (IsDisabled(dis))
    {
        pIcon->Draw(pDC, pt, pIcon->GetDisabledImage(), size);
    }
    else if (IsHot(pButton))
    {
        if (m_bShadowImages)
        {
            pIcon->Draw(pDC, pt + CPoint(1, 1), pIcon->GetShadowImage(), size);
            pIcon->Draw(pDC, pt - CPoint(1, 1), pIcon->GetHotImage(), size);
        }
        else
        {
            pIcon->Draw(pDC, pt, pIcon->GetHotImage(), size);
        }
    }
    else if (IsPressed(pButton, dis))
    {
        pIcon->Draw(pDC, pt, pIcon->GetHotImage(), size);
    }
    else
    {
        pIcon->Draw(pDC, pt, m_bFadeImages ? pIcon->GetFadedImage() : pIcon->GetImage(), size);
    }
}

void CUiButtonThemeFlat::DrawOneColourFrame(CDC* pDC, const CRect& rect, COLORREF clr)
{
    pDC->Draw3dRect(&rect, clr, clr);
}

void CUiButtonThemeFlat::DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    const CRect rect(dis.rcItem);
    const BOOL bPressed = (dis.itemState & ODS_SELECTED) != 0;
    const BOOL bChecked = pButton->IsChecked();
    const BOOL bHot = IsHot(pButton);
    if (!bPressed && !bHot && !bChecked)
    {
        pDC->FillSolidRect(&rect, GetFaceColor());
        if (m_bOfficeFace)
            DrawOneColourFrame(pDC, rect, m_clrShadow);
        return;
    }
    COLORREF back = m_clrHotBack;
    if (bPressed || (bChecked && bHot))
        back = m_clrPressedBack;
    else if (bChecked)
        back = m_clrCheckedBack;
    pDC->FillSolidRect(&rect, back);
    DrawOneColourFrame(pDC, rect, m_clrLight);
}

void CUiButtonThemeFlat::DrawFocus(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    if (!m_bOfficeFace || IsHot(pButton) || IsPressed(pButton, dis) ||
        (pButton->GetXButtonStyle() & kButtonVisualStyle) != 0)
    {
        DrawFocusRectangle(pDC, pButton, dis);
        return;
    }
    CRect rect(dis.rcItem);
    DrawOneColourFrame(pDC, rect, Slot(13));
    rect.DeflateRect(1, 1);
    DrawOneColourFrame(pDC, rect, Slot(13));
}

// ----- scheme theme -----

CUiButtonThemeScheme::CUiButtonThemeScheme(BOOL bOfficeFace) : CUiButtonThemeFlat(bOfficeFace)
{
    m_bFadeImages = FALSE;
    m_bShadowImages = FALSE;
    m_bOffsetTextWhenPressed = FALSE;
}

void CUiButtonThemeScheme::UpdateMetrics()
{
    CUiButtonThemeFlat::UpdateMetrics();
    m_clrFace.SetStandardValue(Slot(15));
    const int nScheme = GetLunaScheme();
    if (nScheme != 0)
    {
        m_clrHotBack.SetStandardValue(RGB(255, 238, 194));
        m_clrPressedBack.SetStandardValue(RGB(254, 128, 62));
        m_clrCheckedBack.SetStandardValue(RGB(255, 192, 111));
        m_clrText.SetStandardValue(RGB(0, 0, 0));
        m_clrHotText.SetStandardValue(RGB(0, 0, 0));
        m_clrPressedText.SetStandardValue(RGB(0, 0, 0));
        // Face, shadow and frame of the blue, olive and silver schemes; the
        // silver frame is the colour table's (75, 75, 111).
        struct SchemeColours
        {
            COLORREF face, shadow, frame;
        };
        static const SchemeColours kSchemes[3] = {
            {RGB(169, 199, 240), RGB(127, 157, 185), RGB(0, 0, 128)},
            {RGB(197, 212, 159), RGB(164, 185, 127), RGB(63, 93, 56)},
            {RGB(192, 192, 211), RGB(165, 172, 178), RGB(75, 75, 111)},
        };
        if (nScheme >= 1 && nScheme <= 3)
        {
            const SchemeColours& colours = kSchemes[nScheme - 1];
            m_clrFace.SetStandardValue(colours.face);
            m_clrShadow.SetStandardValue(colours.shadow);
            m_clrLight.SetStandardValue(colours.frame);
        }
    }
    if (!m_bOfficeFace)
        m_clrFace.SetStandardValue(Slot(15));
}

void CUiButtonThemeScheme::DrawImage(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    CCommandIcon* pIcon = pButton->GetIcon();
    if (pIcon == nullptr || !m_bShowImages)
        return;
    const CSize size = pButton->GetIconSize();
    const CPoint pt = CalcImagePositionWithText(pButton, CRect(dis.rcItem), size);
    if (IsDisabled(dis))
        pIcon->Draw(pDC, pt, pIcon->GetDisabledImage(), size);
    else if (IsPressed(pButton, dis))
        pIcon->Draw(pDC, pt, pIcon->GetHotImage(), size);
    else
        pIcon->Draw(pDC, pt, pIcon->GetImage(), size);
}

void CUiButtonThemeScheme::DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    const CRect rect(dis.rcItem);
    const BOOL bPressed = (dis.itemState & ODS_SELECTED) != 0;
    const BOOL bChecked = pButton->IsChecked();
    const BOOL bHot = IsHot(pButton);
    if (!bChecked && !bHot)
    {
        if (!bPressed)
        {
            pDC->FillSolidRect(&rect, GetFaceColor());
            if (m_bOfficeFace)
                DrawOneColourFrame(pDC, rect, m_clrShadow);
            return;
        }
        FillGradient(pDC, rect, 9);
    }
    else if (bPressed)
    {
        FillGradient(pDC, rect, 9);
    }
    else if (bHot)
    {
        FillGradient(pDC, rect, 10);
    }
    else
    {
        FillGradient(pDC, rect, 8);
    }
    DrawOneColourFrame(pDC, rect, m_clrLight);
}
