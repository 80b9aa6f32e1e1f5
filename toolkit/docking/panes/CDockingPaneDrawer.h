// The drawing style of the docking layer: one object per host paints the
// splitter bars, captions with their buttons and floating frames, and holds
// the metrics (caption height, splitter thickness) the layout reads. Colours
// come from a private copy of the colour table that a style may overwrite
// slot by slot; arguments are slot numbers 0-61 or literal colours above 61.
#pragma once

#include <array>

#include "CColorTable.h"
#include "CTabStripDrawer.h"
#include "core/StyleColor.h"
#include "window/GdiObjects.h"

class CDC;
class CDockingCaptionButton;
class CDockingNode;
class CDockingSplitBarWnd;
class CKitDockingPaneMiniWnd;
class CKitDockingPaneTabbedContainer;

// Splitter looks.
enum DockingSplitterFlag
{
    kSplitterBevel = 0x1,
    kSplitterDarkBorder = 0x2,
    kSplitterFrameGradient = 0x4,
    kSplitterGripLines = 0x100,
    kSplitterGripDots = 0x200,
};

class CDockingPaneDrawer : public CCmdTarget
{
public:
    CDockingPaneDrawer();
    ~CDockingPaneDrawer() override;

    // A group's client area: caption band and, later, its tab row.
    virtual void DrawTabbedContainer(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect);
    virtual void DrawTabbedCaption(CDC* /*pDC*/, CKitDockingPaneTabbedContainer* /*pContainer*/, CRect /*rect*/) {}
    // Places the visible buttons from the caption's far end and paints them;
    // the caption then ends before the last one placed.
    virtual void LayoutCaptionButtons(CDC* pDC, const std::vector<CDockingCaptionButton*>& buttons, CRect* pCaption,
                                      COLORREF crGlyph, int nSize, int nGap, BOOL bVertical);
    virtual void DrawCaptionButton(CDC* /*pDC*/, CDockingCaptionButton* /*pButton*/, COLORREF /*crGlyph*/) {}
    virtual void ReloadMetrics();
    // What is left of a group's client rectangle for its panes.
    virtual void LayoutTabbedContainer(CKitDockingPaneTabbedContainer* pContainer, CRect* pRect, BOOL bReposition);
    virtual void AdjustCaptionRect(CKitDockingPaneTabbedContainer* pContainer, CRect* pRect);
    // The non-client frame and caption of a floating frame; `rect` is its
    // window rectangle moved to the origin.
    virtual void DrawFloatingFrame(CDC* /*pDC*/, CKitDockingPaneMiniWnd* /*pWindow*/, CRect /*rect*/) {}
    virtual void DrawSplitter(CDC* pDC, CDockingSplitBarWnd* pBar);
    // One caption band: background, the node's buttons and the text.
    virtual void DrawCaptionBar(CDC* /*pDC*/, CDockingNode* /*pNode*/, CRect /*band*/, const CString* /*pText*/,
                                BOOL /*bActive*/, BOOL /*bVertical*/) {}

    // The glyph of a caption button centred on (x, y).
    virtual void DrawButtonGlyph(CDC* /*pDC*/, CDockingCaptionButton* /*pButton*/, int /*x*/, int /*y*/,
                                 COLORREF /*crGlyph*/) {}

    COLORREF GetColor(int nSlot) const;
    void SetColors(int nCount, const int* pSlots, const COLORREF* pColors);
    int GetColorScheme() const;
    void SetCaptionFont(LOGFONT* pLogFont, BOOL bSystem);
    int DrawCaptionText(CDC* pDC, const CString* pText, CRect rect, BOOL bVertical, BOOL bMeasure);
    void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, int nColor) const;
    void FillFramed(CDC* pDC, const CRect& rect, int nFill, int nFrame) const;
    void SetPixelColor(CDC* pDC, int x, int y, int nColor) const;
    void FillFrameGradient(CDC* pDC, const CRect& rect, CWnd* pWnd, const CStyleGradient* pGradient) const;
    static void DeflateOriented(CRect* pRect, int l, int t, int r, int b, BOOL bVertical);
    static int ExtentOriented(const CRect* pRect, BOOL bVertical);

    BOOL m_bBoldCaption = TRUE;
    BOOL m_bHighlightActiveCaption = TRUE;
    int m_nSplitterThickness = 4;
    BOOL m_bShowContainerCaptions = TRUE;
    BOOL m_bAlwaysShowTabs = FALSE;
    CStyleColor m_clrGripper;
    CStyleColor m_clrBackground;
    CStyleGradient m_splitterGradient;
    int m_nSplitterFlags = 0;
    int m_nCaptionHeight = 0;
    int m_nCaptionSpacing = 5;
    int m_nTabRowHeight = 0;
    CFont m_fontCaption;
    CFont m_fontCaptionVertical;
    BOOL m_bPreferTahoma = FALSE;
    BOOL m_bSystemCaptionFont = TRUE;
    // The tab row of groups, and the tab rows of the auto-hide strips.
    CTabStripDrawer* m_pPaneTabDrawer = nullptr;
    CTabStripDrawer* m_pAutoHideTabDrawer = nullptr;
    std::array<COLORREF, 62> m_colors{};
    int m_nStyleNumber = 0;
    CRect m_rectCaptionMargins{0, 2, 0, 1};
    int m_nColorSchemeSetting = 5;
};

// Fills `rect` of `pWnd` with the part of a horizontal gradient that runs
// across the window's whole frame, so that neighbouring fills continue it.
void FillFrameGradientIn(CDC* pDC, const CRect& rect, CWnd* pWnd, const CStyleGradient* pGradient);

void DrawPinGlyph(CDC* pDC, int x, int y, BOOL bLying, COLORREF crGlyph);
void DrawWindowGlyph(CDC* pDC, int x, int y, BOOL bMaximize, COLORREF crGlyph);

// The style of a number; numbers without a style of their own give style 0.
CDockingPaneDrawer* CreateDockingDrawer(int nStyle);
