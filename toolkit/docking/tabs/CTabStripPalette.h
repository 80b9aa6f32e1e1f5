// Colour sets of tab strips by number: every colour a strip is drawn in, and
// the fills of tabs, headers, client areas and navigate buttons. -1 is no
// colour (the line or fill is skipped); a light gradient colour of -2 fills
// with a dither pattern.
#pragma once

#include "CColorTable.h"
#include "CVisualStyleData.h"
#include "core/StyleColor.h"

class CDC;
class CTabStrip;
class CTabStripButton;
class CTabStripDrawer;
class CKitTabManagerItem;

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr COLORREF kDitherColor = static_cast<COLORREF>(-2);

class CTabStripPalette
{
public:
    virtual ~CTabStripPalette() = default;
    virtual void ReloadMetrics();
    virtual void SetTabTextColor(CDC* pDC, CKitTabManagerItem* pItem);
    virtual void PaintHeader(CDC* pDC, const CRect& rect, CTabStrip* pStrip);
    virtual COLORREF FillClient(CDC* pDC, const CRect& rect, CTabStrip* pStrip);
    virtual void DrawTabFrame(CDC* pDC, CRect rect, CKitTabManagerItem* pItem);
    virtual COLORREF FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem);
    virtual void FillStripBackground(CDC* /*pDC*/, const CRect& /*rect*/, CTabStrip* /*pStrip*/) {}
    virtual void DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect) = 0;
    virtual COLORREF GetTabColor(CKitTabManagerItem* pItem);
    virtual BOOL IsThemed() const { return FALSE; }

    // Across the strip's depth, light at its outer edge.
    void FillGradient(CDC* pDC, const CRect& rect, COLORREF crLight, COLORREF crDark, int nPosition) const;

    CStyleGradient m_headerGradient;
    CStyleGradient m_headerGradient2;
    CStyleColor m_clrOutline;
    CStyleColor m_clrFace;
    CStyleColor m_clrHighlight;
    CStyleColor m_clrSelectedTab;
    CStyleColor m_clrNormalTab;
    CStyleColor m_clrTextNormal;
    CStyleColor m_clrTextInactive;
    CStyleColor m_clrTextSelected;
    CStyleColor m_clrTextHot;
    CStyleColor m_clrTextDisabled;
    CStyleGradient m_selectedTabGradient;
    CStyleGradient m_selectedTabFrame;
    CStyleColor m_clr3dLight;
    CStyleColor m_clr3dShadow;
    CStyleColor m_clr3dDarkShadow;
    CStyleColor m_clrSlantedOutline;
    CStyleColor m_clrSlantedSelectedOutline;
    CStyleColor m_clrSlantedInnerEdge;
    CStyleColor m_clrSlantedInnerHighlight;
    CStyleColor m_trapezoidSelected[6];
    CStyleColor m_trapezoidOther[6];
    CTabStripDrawer* m_pDrawer = nullptr;
};

// Palette 1 (and every number without a set of its own).
class CTabStripDefaultPalette : public CTabStripPalette
{
public:
    void ReloadMetrics() override;
    void DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect) override;
};

// Palette 2: flat colours.
class CTabStripFlatPalette : public CTabStripPalette
{
public:
    void ReloadMetrics() override;
    void DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect) override;
};

// Palette 4: the colours of the visual-style scheme, gradient tabs.
class CTabStripLunaPalette : public CTabStripDefaultPalette
{
public:
    void ReloadMetrics() override;
    COLORREF FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem) override;
    void DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect) override;

    CStyleColor m_clrHotTab;
    CStyleColor m_clrButtonFrame;
    BOOL m_bScheme = FALSE;
};

// Palette 16: set 4's colours with solid tabs, or gradient tabs of its own
// when the scheme colours are switched off.
class CTabStripGradientPalette : public CTabStripLunaPalette
{
public:
    void ReloadMetrics() override;
    COLORREF FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem) override;

    BOOL m_bGradientTabs = FALSE;
};

// Palette 8: tabs and buttons of the system's visual style; the default
// set's look without one.
class CTabStripThemedPalette : public CTabStripDefaultPalette
{
public:
    void ReloadMetrics() override;
    COLORREF FillClient(CDC* pDC, const CRect& rect, CTabStrip* pStrip) override;
    void DrawTabFrame(CDC* pDC, CRect rect, CKitTabManagerItem* pItem) override;
    COLORREF FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem) override;
    void FillStripBackground(CDC* pDC, const CRect& rect, CTabStrip* pStrip) override;
    void DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect) override;
    BOOL IsThemed() const override;

    CVisualStyleData m_tabStyle;
    CVisualStyleData m_toolbarStyle;
};

CTabStripPalette* CreateTabStripPalette(int nNumber);
