// The caption bar's themes (default, flat, scheme) and those of its button,
// with their factories. The caption bar (CUiCaption) and its button
// (CCaptionBarButton) paint through them.
#pragma once

#include "ButtonThemes.h"

class CUiCaption;
class CCaptionBarButton;

class CUiCaptionTheme : public CControlTheme
{
public:
    void UpdateMetrics() override;
    virtual void DrawCaptionBack(CDC* pDC, CUiCaption* pCaption, CRect rect);
    virtual void DrawCaptionText(CDC* pDC, CUiCaption* pCaption);
    virtual void DrawCaptionIcon(CDC* pDC, CUiCaption* pCaption, CRect rect);

    CStyleColor m_clrShadow, m_clrHighlight;
};

class CUiCaptionThemeFlat : public CUiCaptionTheme
{
public:
    void DrawCaptionBack(CDC* pDC, CUiCaption* pCaption, CRect rect) override;
};

class CUiCaptionThemeScheme : public CUiCaptionTheme
{
public:
    void DrawCaptionBack(CDC* pDC, CUiCaption* pCaption, CRect rect) override;
};

// The caption's background gradient: gradient 1 with the appearance flag, else 4.
const CStyleGradient& CaptionGradient(CUiCaption* pCaption);

class CUiCaptionButtonTheme : public CUiButtonTheme
{
public:
    CUiCaptionButtonTheme() { m_bOffsetTextWhenPressed = FALSE; }
    COLORREF GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot) override;
    void DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    void DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
};

class CUiCaptionButtonThemeFlat : public CUiButtonThemeFlat
{
public:
    CUiCaptionButtonThemeFlat();
    COLORREF GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot) override;
    void DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    void DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
};

class CUiCaptionButtonThemeScheme : public CUiButtonThemeScheme
{
public:
    COLORREF GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot) override;
    void DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    void DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    // The two colours of the caption's own fill at the button's corners.
    virtual BOOL GetCaptionGradient(const CRect& screenRect, CUiCaption* pCaption, CStyleGradient& gradient);
};

class CUiCaptionThemeFactory : public CUiThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CUiCaptionThemeFactory)
public:
    CControlTheme* MakeTheme(int nType) override;
};

class CUiCaptionButtonThemeFactory : public CUiThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CUiCaptionButtonThemeFactory)
public:
    CControlTheme* MakeTheme(int nType) override;
};
