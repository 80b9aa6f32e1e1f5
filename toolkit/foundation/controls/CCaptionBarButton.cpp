#include "CCaptionBarButton.h"

#include "CUiCaption.h"

IMPLEMENT_DYNAMIC(CCaptionBarButton, CUiButton)

CCaptionBarButton::CCaptionBarButton() : CUiButton(RUNTIME_CLASS(CUiCaptionButtonThemeFactory)) {}

void CCaptionBarButton::SetCaptionStyle(COLORREF clrBack, COLORREF clrText, COLORREF clrBorder)
{
    SetColors(clrBack, clrBorder, clrBorder, clrText);
    if (m_pCaption != nullptr && m_pCaption->GetSafeHwnd() != nullptr && GetSafeHwnd() != nullptr)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pCaption->GetFont()->GetSafeHandle()), TRUE);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}
