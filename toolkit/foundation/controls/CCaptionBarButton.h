// CCaptionBarButton: the button of a caption bar. It takes its colours and
// font from the caption and paints through the caption-button theme.
#pragma once

#include "CUiButton.h"

class CUiCaption;

class CCaptionBarButton : public CUiButton
{
    DECLARE_DYNAMIC(CCaptionBarButton)
public:
    CCaptionBarButton();

    void SetCaption(CUiCaption* pCaption) { m_pCaption = pCaption; }
    CUiCaption* GetCaption() const { return m_pCaption; }
    // Background, text and border colours and the caption's font.
    void SetCaptionStyle(COLORREF clrBack, COLORREF clrText, COLORREF clrBorder);

private:
    CUiCaption* m_pCaption = nullptr;
};
