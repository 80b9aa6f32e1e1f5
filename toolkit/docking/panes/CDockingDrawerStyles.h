// The docking drawing styles by number. Style 0 is the classic look with
// system caption colours and frame-control buttons; style 4 starts as style
// 0 and draws flat buttons with glyphs and grip lines after the caption
// text; style 1 adds caption gradients; style 2 (the program's) takes the
// colours of the visual-style scheme; style 7 is style 2 with a large bold
// caption font and square captions.
#pragma once

#include "CDockingPaneDrawer.h"
#include "CVisualStyleData.h"

class CDockingDrawerDefaultStyle : public CDockingPaneDrawer
{
public:
    CDockingDrawerDefaultStyle();
    void DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect) override;
    void DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph) override;
    void DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText, BOOL bActive,
                        BOOL bVertical) override;
    void DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect) override;

protected:
    // Whether a floating frame's caption is drawn active.
    BOOL IsFrameActive(CKitDockingPaneMiniWnd* pWindow) const;
    // The band of a group's caption and whether it is drawn active.
    CRect CaptionBand(CKitDockingPaneTabbedContainer* pContainer, const CRect& rect, int nTopMargin) const;
    BOOL IsCaptionActive(CKitDockingPaneTabbedContainer* pContainer) const;
};

class CDockingDrawerStyle4 : public CDockingDrawerDefaultStyle
{
public:
    void DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect) override;
    void DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph) override;
    void DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText, BOOL bActive,
                        BOOL bVertical) override;
    void DrawButtonGlyph(CDC* pDC, CDockingCaptionButton* pButton, int x, int y, COLORREF crGlyph) override;
};

class CDockingDrawerStyle1 : public CDockingDrawerStyle4
{
public:
    CDockingDrawerStyle1();
    void ReloadMetrics() override;
    void DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText, BOOL bActive,
                        BOOL bVertical) override;
    // Fills a caption band; answers the colour of the buttons' glyphs.
    virtual COLORREF DrawCaptionBackground(CDC* pDC, CDockingNode* pNode, CRect band, BOOL bActive, BOOL bVertical);

    BOOL m_bGradientCaptions = FALSE;
    CStyleGradient m_inactiveCaption;
    CStyleGradient m_activeCaption;
    CStyleColor m_clrInactiveCaptionText;
    CStyleColor m_clrActiveCaptionText;
};

class CDockingDrawerStyle2 : public CDockingDrawerStyle1
{
public:
    CDockingDrawerStyle2();
    void ReloadMetrics() override;
    void DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect) override;
    void DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph) override;
    void DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText, BOOL bActive,
                        BOOL bVertical) override;
    void DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect) override;
    // The face of a hot or pressed button; may change the glyph colour.
    virtual void DrawButtonFace(CDC* pDC, CDockingCaptionButton* pButton, COLORREF* pGlyph);

    BOOL m_bLunaColors = FALSE;
    BOOL m_bCaptionGripper = TRUE;
    BOOL m_bRoundedCaption = TRUE;
};

class CDockingDrawerStyle7 : public CDockingDrawerStyle2
{
public:
    CDockingDrawerStyle7();
    void ReloadMetrics() override;
};

// Style 3: captions and buttons of the system's visual style (window and
// explorer-bar parts), style 1's look without one.
class CDockingDrawerStyle3 : public CDockingDrawerStyle1
{
public:
    CDockingDrawerStyle3();
    void ReloadMetrics() override;
    void DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect) override;
    void DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph) override;
    void DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText, BOOL bActive,
                        BOOL bVertical) override;
    void DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect) override;

    CVisualStyleData m_windowStyle;
    CVisualStyleData m_explorerBarStyle;
};

// Style 5: groups filled by their activity, tabs above the panes, grip lines
// after the caption text.
class CDockingDrawerStyle5 : public CDockingDrawerStyle1
{
public:
    CDockingDrawerStyle5();
    void ReloadMetrics() override;
    void DrawTabbedContainer(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect) override;
    void DrawTabbedCaption(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect) override;
    void DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph) override;
    void AdjustCaptionRect(CKitDockingPaneTabbedContainer* pContainer, CRect* pRect) override;
    void DrawFloatingFrame(CDC* pDC, CKitDockingPaneMiniWnd* pWindow, CRect rect) override;
};

// Style 6: gradient captions and splitters that continue one gradient
// across the frame.
class CDockingDrawerStyle6 : public CDockingDrawerStyle1
{
public:
    CDockingDrawerStyle6();
    void ReloadMetrics() override;
};

// Style 9: style 6 with outlined single-colour captions and rounded tabs.
class CDockingDrawerStyle9Base : public CDockingDrawerStyle6
{
public:
    CDockingDrawerStyle9Base();
    void ReloadMetrics() override;
    COLORREF DrawCaptionBackground(CDC* pDC, CDockingNode* pNode, CRect band, BOOL bActive, BOOL bVertical) override;

    COLORREF m_crCaptionOutline = 0;
};

class CDockingDrawerStyle9 : public CDockingDrawerStyle9Base
{
public:
    CDockingDrawerStyle9();
};

// Style 8: style 4 over the rebar and toolbar visual styles.
class CDockingDrawerStyle8 : public CDockingDrawerStyle4
{
public:
    CDockingDrawerStyle8();
    void ReloadMetrics() override;
    void DrawCaptionButton(CDC* pDC, CDockingCaptionButton* pButton, COLORREF crGlyph) override;
    void DrawCaptionBar(CDC* pDC, CDockingNode* pNode, CRect band, const CString* pText, BOOL bActive,
                        BOOL bVertical) override;

    CVisualStyleData m_rebarStyle;
    CVisualStyleData m_toolbarStyle;
};
