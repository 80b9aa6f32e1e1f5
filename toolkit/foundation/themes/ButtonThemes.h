// The button family's themes: default (3D frame in system colours), flat
// (office colours of the colour table) and scheme (the visual-style scheme's
// colours and the orange gradients), and their factory. CUiButton paints
// through whichever its theme host holds.
#pragma once

#include "CVisualStyleData.h"
#include "ThemeManager.h"
#include "core/StyleColor.h"

class CUiButton;

class CUiButtonTheme : public CControlTheme
{
public:
    CUiButtonTheme();

    void UpdateMetrics() override;

    virtual BOOL IsHotTracking(CUiButton* pButton);
    virtual BOOL UseVisualStyle(CUiButton* pButton);
    virtual BOOL GetShowImages() const { return m_bShowImages; }
    virtual void SetShowImages(BOOL bShow) { m_bShowImages = bShow; }
    virtual CFont* GetFont(CUiButton* pButton);
    virtual void SetFont(CFont* pFont);
    virtual COLORREF SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual COLORREF SetFaceColor(COLORREF clr);
    virtual COLORREF GetFaceColor() const { return m_clrFace; }
    virtual COLORREF SetLightColor(COLORREF clr);
    virtual COLORREF SetShadowColor(COLORREF clr);
    virtual COLORREF SetTextColor(COLORREF clr);

    virtual CPoint CalcImagePosition(CUiButton* pButton, CSize imageSize);
    virtual CPoint CalcTextPosition(CUiButton* pButton, const CRect& itemRect, CSize textSize);
    virtual COLORREF GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot);
    virtual void DrawButtonText(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis);
    virtual CPoint CalcImagePositionWithText(CUiButton* pButton, const CRect& itemRect, CSize imageSize);
    virtual void DrawImage(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis);
    virtual void DrawItem(const DRAWITEMSTRUCT& dis, CUiButton* pButton);
    virtual BOOL DrawVisualStyle(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis);
    virtual void DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis);
    virtual void DrawFocus(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis);

    BOOL m_bShowImages = TRUE;
    BOOL m_bOffsetTextWhenPressed = TRUE;
    CFont* m_pFont = nullptr;
    CStyleColor m_clrFace, m_clrText, m_clrGrayText, m_clrLight, m_clrShadow, m_clrHighlight, m_clrDarkShadow;
    CVisualStyleData m_visualStyle;

protected:
    // The states DrawItem works from.
    static BOOL IsPressed(CUiButton* pButton, const DRAWITEMSTRUCT& dis);
    static BOOL IsHot(CUiButton* pButton);
    static BOOL IsDisabled(const DRAWITEMSTRUCT& dis) { return (dis.itemState & ODS_DISABLED) != 0; }
    void DrawFocusRectangle(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis);

private:
    // x of something `width` wide by the window's horizontal alignment.
    int AlignX(CUiButton* pButton, const CRect& rect, int width, int taken);
};

class CUiButtonThemeFlat : public CUiButtonTheme
{
public:
    explicit CUiButtonThemeFlat(BOOL bOfficeFace = FALSE);

    void UpdateMetrics() override;
    BOOL IsHotTracking(CUiButton*) override { return TRUE; }
    COLORREF GetButtonTextColor(CUiButton* pButton, BOOL bDisabled, BOOL bPressed, BOOL bHot) override;
    void DrawImage(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    void DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    void DrawFocus(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;

    virtual void SetOfficeFace(BOOL bOfficeFace);
    void SetPressedBackColor(COLORREF clr) { m_clrPressedBack.SetCustomValue(clr); }
    void SetHotBackColor(COLORREF clr) { m_clrHotBack.SetCustomValue(clr); }
    void SetPressedTextColor(COLORREF clr) { m_clrPressedText.SetCustomValue(clr); }
    void SetHotTextColor(COLORREF clr) { m_clrHotText.SetCustomValue(clr); }

    BOOL m_bOfficeFace;
    BOOL m_bFadeImages = TRUE;
    BOOL m_bShadowImages = TRUE;
    CStyleColor m_clrPressedBack, m_clrHotBack, m_clrPressedText, m_clrHotText, m_clrCheckedBack;

protected:
    // The one-colour frame of flat buttons (the light colour holds it).
    void DrawOneColourFrame(CDC* pDC, const CRect& rect, COLORREF clr);
};

class CUiButtonThemeScheme : public CUiButtonThemeFlat
{
public:
    explicit CUiButtonThemeScheme(BOOL bOfficeFace = FALSE);

    void UpdateMetrics() override;
    void DrawImage(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
    void DrawFrame(CDC* pDC, CUiButton* pButton, const DRAWITEMSTRUCT& dis) override;
};

class CUiButtonThemeFactory : public CUiThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CUiButtonThemeFactory)
public:
    CControlTheme* MakeTheme(int nType) override;
};
