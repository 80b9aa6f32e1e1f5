#include "CaptionThemes.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CUiCaption.h"
#include "DeviceContexts.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUiCaptionThemeFactory, CUiThemeManagerStyleFactory)
IMPLEMENT_DYNCREATE(CUiCaptionButtonThemeFactory, CUiThemeManagerStyleFactory)

namespace {

COLORREF Slot(int nSlot) { return GetColorTable()->GetColor(static_cast<kit::ColorRef>(nSlot)); }
const CStyleGradient& Gradient(int n) { return GetColorTable()->gradients[static_cast<size_t>(n - 1)]; }
void FillGradient(CDC* pDC, const CRect& rect, int n) { CDrawTools::FillStyleGradient(pDC, &rect, Gradient(n), FALSE); }
void Frame(CDC* pDC, const CRect& rect, COLORREF clr) { pDC->Draw3dRect(&rect, clr, clr); }

constexpr UINT kCaptionTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

CUiCaption* CaptionOf(CUiButton* pButton)
{
    auto* pCaptionButton = dynamic_cast<CCaptionBarButton*>(pButton);
    CUiCaption* pCaption = pCaptionButton != nullptr ? pCaptionButton->GetCaption() : nullptr;
    return (pCaption != nullptr && pCaption->GetSafeHwnd() != nullptr) ? pCaption : nullptr;
}

// The caption's text on its button: only for a caption with its own look.
void DrawCaptionButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis, COLORREF clrText, BOOL bOffset)
{
    CUiCaption* pCaption = CaptionOf(pButton);
    if (pCaption == nullptr || !pCaption->HasOwnLook() || pCaption->GetCaptionText().IsEmpty())
        return;
    CRect rect(dis.rcItem);
    if ((dis.itemState & ODS_SELECTED) != 0 && bOffset)
        rect.OffsetRect(1, 1);
    CFont* pOld = pDC->SelectObject(pButton->GetFont());
    pDC->SetTextColor(clrText);
    pDC->DrawText(pCaption->GetCaptionText(), &rect, kCaptionTextFormat);
    pDC->SelectObject(pOld);
}

} // namespace

const CStyleGradient& CaptionGradient(CUiCaption* pCaption) { return Gradient(pCaption->HasOwnLook() ? 1 : 4); }

CControlTheme* CUiCaptionThemeFactory::MakeTheme(int nType)
{
    CControlTheme* pTheme = nType == kThemeFlat ? static_cast<CControlTheme*>(new CUiCaptionThemeFlat())
                            : nType == kThemeScheme ? static_cast<CControlTheme*>(new CUiCaptionThemeScheme())
                                                    : static_cast<CControlTheme*>(new CUiCaptionTheme());
    pTheme->m_nType = nType;
    return pTheme;
}

CControlTheme* CUiCaptionButtonThemeFactory::MakeTheme(int nType)
{
    CControlTheme* pTheme = nType == kThemeFlat ? static_cast<CControlTheme*>(new CUiCaptionButtonThemeFlat())
                            : nType == kThemeScheme ? static_cast<CControlTheme*>(new CUiCaptionButtonThemeScheme())
                                                    : static_cast<CControlTheme*>(new CUiCaptionButtonTheme());
    pTheme->m_nType = nType;
    return pTheme;
}

// ----- caption themes -----

void CUiCaptionTheme::UpdateMetrics()
{
    m_clrShadow.SetStandardValue(Slot(16));
    m_clrHighlight.SetStandardValue(Slot(20));
}

void CUiCaptionTheme::DrawCaptionBack(CDC* pDC, CUiCaption* pCaption, CRect rect)
{
    pDC->FillSolidRect(&rect, pCaption->GetBorderColor());
    const int border = pCaption->GetBorderSize();
    const DWORD style = pCaption->GetCaptionStyle();
    CRect frame = rect;
    if ((style & kCaptionSunken) != 0)
    {
        pDC->Draw3dRect(&frame, m_clrShadow, m_clrHighlight);
        frame.DeflateRect(1, 1);
        pDC->Draw3dRect(&frame, m_clrHighlight, m_clrShadow);
        if (border == 0)
            rect.DeflateRect(2, 2);
    }
    else if ((style & kCaptionRaised) != 0)
    {
        pDC->Draw3dRect(&frame, m_clrHighlight, m_clrShadow);
        if (border == 0)
            rect.DeflateRect(1, 1);
    }
    rect.DeflateRect(border, border);
    pDC->FillSolidRect(&rect, pCaption->GetBackColor());
    pDC->SetBkMode(TRANSPARENT);
}

void CUiCaptionTheme::DrawCaptionText(CDC* pDC, CUiCaption* pCaption)
{
    if (pCaption->GetCaptionText().IsEmpty())
        return;
    CRect rect = pCaption->GetTextRect();
    CFont* pOld = pDC->SelectObject(pCaption->GetFont());
    pDC->SetTextColor(pCaption->GetTextColor());
    pDC->DrawText(pCaption->GetCaptionText(), &rect, kCaptionTextFormat);
    pDC->SelectObject(pOld);
}

void CUiCaptionTheme::DrawCaptionIcon(CDC* pDC, CUiCaption* pCaption, CRect rect)
{
    HICON hIcon = pCaption->GetIcon();
    if (hIcon == nullptr)
        return;
    const CSize size = pCaption->GetIconSize();
    const int border = pCaption->GetBorderSize();
    const int x = std::max(static_cast<int>(rect.right - border - size.cx - 2), border);
    const int y = (rect.Height() - size.cy) / 2;
    if (x + size.cx < rect.right - border)
        ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

void CUiCaptionThemeFlat::DrawCaptionBack(CDC* pDC, CUiCaption* pCaption, CRect rect)
{
    pDC->FillSolidRect(&rect, pCaption->GetBorderColor());
    if (pCaption->HasOwnLook())
    {
        rect.DeflateRect(pCaption->GetBorderSize(), pCaption->GetBorderSize());
        pDC->FillSolidRect(&rect, pCaption->GetBackColor());
    }
    else
    {
        pDC->Draw3dRect(&rect, Slot(20), Slot(16));
    }
    pDC->SetBkMode(TRANSPARENT);
}

void CUiCaptionThemeScheme::DrawCaptionBack(CDC* pDC, CUiCaption* pCaption, CRect rect)
{
    if (pCaption->HasOwnLook())
    {
        FillGradient(pDC, rect, 1);
        Frame(pDC, rect, Slot(54));
    }
    else
    {
        FillGradient(pDC, rect, 4);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, Slot(54));
    }
    pDC->SetBkMode(TRANSPARENT);
}

// ----- caption button themes -----

COLORREF CUiCaptionButtonTheme::GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot)
{
    CUiCaption* pCaption = CaptionOf(pButton);
    return pCaption != nullptr ? pCaption->GetTextColor() : CUiButtonTheme::GetButtonTextColor(pButton, bDisabled, bPressed, bHot);
}

void CUiCaptionButtonTheme::DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    DrawCaptionButtonText(pDC, pButton, dis,
                          GetButtonTextColor(pButton, IsDisabled(dis), IsPressed(pButton, dis), IsHot(pButton)),
                          m_bOffsetTextWhenPressed);
}

void CUiCaptionButtonTheme::DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    if (CUiCaption* pCaption = CaptionOf(pButton))
        m_clrFace.SetCustomValue(pCaption->GetBackColor());
    CUiButtonTheme::DrawFrame(pDC, pButton, dis);
}

// The flat and scheme caption buttons share their text colour rule.
static COLORREF CaptionButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot, COLORREF hotText,
                                       COLORREF text)
{
    if (bDisabled)
        return Slot(17);
    if (bHot || bPressed)
        return hotText;
    CUiCaption* pCaption = CaptionOf(pButton);
    return pCaption != nullptr ? pCaption->GetTextColor() : text;
}

CUiCaptionButtonThemeFlat::CUiCaptionButtonThemeFlat()
{
    m_bFadeImages = FALSE;
    m_bShadowImages = FALSE;
    m_bOffsetTextWhenPressed = FALSE;
}

COLORREF CUiCaptionButtonThemeFlat::GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot)
{
    return CaptionButtonTextColor(pButton, bDisabled, bPressed, bHot, m_clrHotText, m_clrText);
}

void CUiCaptionButtonThemeFlat::DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    DrawCaptionButtonText(pDC, pButton, dis,
                          GetButtonTextColor(pButton, IsDisabled(dis), IsPressed(pButton, dis), IsHot(pButton)),
                          m_bOffsetTextWhenPressed);
}

void CUiCaptionButtonThemeFlat::DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    const CRect rect(dis.rcItem);
    const BOOL bPressed = (dis.itemState & ODS_SELECTED) != 0;
    if (IsHot(pButton) || bPressed)
    {
        pDC->FillSolidRect(&rect, Slot(bPressed ? 33 : 31));
        Frame(pDC, rect, Slot(32));
        return;
    }
    if (CUiCaption* pCaption = CaptionOf(pButton))
        m_clrFace.SetCustomValue(pCaption->GetBackColor());
    pDC->FillSolidRect(&rect, GetFaceColor());
    if (m_bOfficeFace)
        Frame(pDC, rect, m_clrShadow);
}

COLORREF CUiCaptionButtonThemeScheme::GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot)
{
    return CaptionButtonTextColor(pButton, bDisabled, bPressed, bHot, m_clrHotText, m_clrText);
}

void CUiCaptionButtonThemeScheme::DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    DrawCaptionButtonText(pDC, pButton, dis,
                          GetButtonTextColor(pButton, IsDisabled(dis), IsPressed(pButton, dis), IsHot(pButton)),
                          m_bOffsetTextWhenPressed);
}

void CUiCaptionButtonThemeScheme::DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis)
{
    if (pButton->GetSafeHwnd() == nullptr)
        return;
    CUiCaption* pCaption = CaptionOf(pButton);
    if (pCaption == nullptr)
    {
        CUiButtonThemeScheme::DrawFrame(pDC, pButton, dis);
        return;
    }
    const CRect rect(dis.rcItem);
    const BOOL bPressed = (dis.itemState & ODS_SELECTED) != 0;
    if (bPressed || IsHot(pButton))
    {
        FillGradient(pDC, rect, bPressed ? 9 : 10);
        Frame(pDC, rect, GetColorTable()->GetLunaColor(32));
        return;
    }
    // Idle, the button blends into the caption's own fill.
    CRect screen;
    pButton->GetWindowRect(&screen);
    CStyleGradient blend;
    if (GetCaptionGradient(screen, pCaption, blend))
        CDrawTools::FillStyleGradient(pDC, &rect, blend, FALSE);
    else
        pDC->FillSolidRect(&rect, GetFaceColor());
}

BOOL CUiCaptionButtonThemeScheme::GetCaptionGradient(const CRect& screenRect, CUiCaption* pCaption, CStyleGradient& gradient)
{
    if (pCaption == nullptr || pCaption->GetSafeHwnd() == nullptr)
        return FALSE;
    CRect client;
    pCaption->GetClientRect(&client);
    CClientDC captionDC(pCaption);
    HDC hMemDC = ::CreateCompatibleDC(captionDC.GetSafeHdc());
    if (hMemDC == nullptr)
        return FALSE;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(captionDC.GetSafeHdc(), client.Width(), client.Height());
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    CDrawTools::FillStyleGradient(CDC::FromHandle(hMemDC), &client, CaptionGradient(pCaption), FALSE);
    CRect local = screenRect;
    pCaption->ScreenToClient(&local);
    const COLORREF light = ::GetPixel(hMemDC, local.left, local.top);
    const COLORREF dark = ::GetPixel(hMemDC, local.right - 1, local.bottom - 1);
    ::SelectObject(hMemDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
    if (light == CLR_INVALID || dark == CLR_INVALID)
        return FALSE; // the button lies outside the caption
    gradient.SetStandardValue(light, dark, 0.5f);
    return TRUE;
}
