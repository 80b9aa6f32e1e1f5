// The flat combo box and flat edit families' themes (default, flat, scheme)
// and their factories. The flat combo box and flat edit draw their own
// frames, so nothing attaches to these factories; the themes are complete
// for a control that wants them.
#pragma once

#include "ThemeManager.h"
#include "core/StyleColor.h"

// Drawing states of both families.
enum FlatControlState
{
    kFlatNormal = 0,
    kFlatHot = 2,
    kFlatPressed = 3,
};

class CUiFlatComboBoxTheme : public CControlTheme
{
public:
    void UpdateMetrics() override;
    // The whole control: background, frame, drop button and arrow.
    virtual void DrawFlatComboBox(CDC* pDC, CWnd* pCombo, int nState);
    virtual void DrawFrame(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled);
    virtual void DrawDropButton(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled);
    virtual void DrawArrow(CDC* pDC, const CRect& button, int nState, BOOL bEnabled);

    int m_cxThumb = 0, m_cyThumb = 0, m_cxBorder = 1, m_cyBorder = 1, m_cxEdge = 2, m_cyEdge = 2;
    int m_cxDropButton = 15;
};

class CUiFlatComboBoxThemeFlat : public CUiFlatComboBoxTheme
{
public:
    void DrawFrame(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled) override;
    void DrawDropButton(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled) override;
};

class CUiFlatComboBoxThemeScheme : public CUiFlatComboBoxTheme
{
public:
    void DrawFrame(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled) override;
    void DrawDropButton(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled) override;
};

class CUiFlatEditTheme : public CControlTheme
{
public:
    void UpdateMetrics() override;
    virtual void DrawFlatEdit(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled);

    CStyleColor m_clrHotText, m_clrPressedText, m_clrHotBack, m_clrPressedBack, m_clrFrame, m_clrBack, m_clrFace,
        m_clrShadow, m_clrHighlight;
};

class CUiFlatEditThemeFlat : public CUiFlatEditTheme
{
public:
    void UpdateMetrics() override;
    void DrawFlatEdit(CDC* pDC, const CRect& rect, int nState, BOOL bEnabled) override;
};

class CUiFlatEditThemeScheme : public CUiFlatEditThemeFlat
{
public:
    void UpdateMetrics() override;
};

class CUiFlatComboBoxThemeFactory : public CUiThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CUiFlatComboBoxThemeFactory)
public:
    CControlTheme* MakeTheme(int nType) override;
};

class CUiFlatEditThemeFactory : public CUiThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CUiFlatEditThemeFactory)
public:
    CControlTheme* MakeTheme(int nType) override;
};
