// Appearance sets of tab strips by number: how deep the header is, where
// the client area lies, and how a tab's outline is drawn.
#pragma once

#include "Framework.h"

class CDC;
class CTabStrip;
class CTabStripDrawer;
class CKitTabManagerItem;

class CTabStripShape
{
public:
    virtual ~CTabStripShape() = default;
    virtual void ReloadMetrics();
    virtual CRect GetHeaderRect(const CRect& rect, const CTabStrip* pStrip) const;
    virtual CRect GetClientRect(const CRect& rect, const CTabStrip* pStrip) const;
    virtual CRect GetMargins() const { return m_rectMargins; }
    virtual CRect GetClientMargins() const;
    virtual int MeasureTab(CDC* pDC, CKitTabManagerItem* pItem);
    virtual int GetRowHeight(const CTabStrip* pStrip) const;
    virtual void DrawTabStrip(CTabStrip* pStrip, CDC* pDC, const CRect& rect);
    // Fills the header and answers its rectangle.
    virtual CRect PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect);
    virtual void LayoutTabs(CTabStrip* pStrip, CDC* pDC, const CRect& rect);
    virtual void FitClientRect(CTabStrip* pStrip, CRect& rect);
    virtual void DrawTab(CDC* /*pDC*/, CKitTabManagerItem* /*pItem*/) {}
    virtual int GetConstant() const { return 31; }
    virtual int GetDefaultPalette() const { return 1; }

    CRect m_rectMargins;
    int m_nRowSpacing = -2;
    int m_nTextRowHeight = 18;
    CTabStripDrawer* m_pDrawer = nullptr;
    BOOL m_bDrawTowardSelected = FALSE;

protected:
    // The client frame of the header's PaintHeader; the header band is filled first.
    CRect FillHeaderBand(CTabStrip* pStrip, CDC* pDC, const CRect& rect);
};

// Shape 0 (and every number without a set of its own): classic 3D tabs.
class CTabStripShape3D : public CTabStripShape
{
public:
    CTabStripShape3D() { m_rectMargins.SetRect(2, 3, 6, 0); }
    CRect GetClientMargins() const override;
    CRect PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetConstant() const override { return 13; }
};

// Shape 6: filled boxes, the selected one outlined.
class CTabStripShapeFramed : public CTabStripShape
{
public:
    CTabStripShapeFramed() { m_rectMargins.SetRect(2, 2, 4, 0); }
    CRect PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetConstant() const override { return 7; }
    int GetDefaultPalette() const override { return 2; }
};

// Shape 2: rounded tabs with blended corners.
class CTabStripShapeRounded : public CTabStripShapeFramed
{
public:
    CTabStripShapeRounded() = default;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetDefaultPalette() const override { return 1; }

    BOOL m_bBlendedCorners = TRUE;
    BOOL m_bSelectedOnly = FALSE;
};

CTabStripShape* CreateTabStripShape(int nNumber);

// Shape 1: classic 3D look only for the selected and the hot tab.
class CTabStripShapeHot3D : public CTabStripShape3D
{
public:
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
};

// Shape 4: tabs as buttons on the strip, no header fill.
class CTabStripShapeButton : public CTabStripShape
{
public:
    CTabStripShapeButton()
    {
        m_rectMargins.SetRect(2, 2, 4, 2);
        m_nRowSpacing = 0;
    }
    CRect PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetDefaultPalette() const override { return 2; }
};

// Shape 5: flat tabs with separators.
class CTabStripShapeFlat : public CTabStripShape
{
public:
    CTabStripShapeFlat() { m_rectMargins.SetRect(4, 2, 4, 0); }
    CRect PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetConstant() const override { return 7; }
    int GetDefaultPalette() const override { return 2; }
};

// Shape 7: trapezoid tabs.
class CTabStripShapeTrapezoid : public CTabStripShapeFramed
{
public:
    CTabStripShapeTrapezoid() { m_rectMargins.SetRect(2, 3, 2, 0); }
    CRect GetMargins() const override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
};

// Shape 8: a column of full-width bars instead of a header.
class CTabStripShapeStacked : public CTabStripShape
{
public:
    CRect GetHeaderRect(const CRect& rect, const CTabStrip* pStrip) const override;
    CRect GetClientRect(const CRect& rect, const CTabStrip* pStrip) const override;
    void DrawTabStrip(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void LayoutTabs(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void FitClientRect(CTabStrip* pStrip, CRect& rect) override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetConstant() const override { return 5; }
};

// A one-pixel line along the side of `rect` that faces the tabs: top or left
// in the first colour, bottom or right in the second; none is skipped.
void DrawEdgeLine(CDC* pDC, const CRect& rect, int nPosition, COLORREF crFirst, COLORREF crSecond);

// Fills the polygon (absolute points, or offsets from the first) with the
// colour set's tab fill; answers the fill colour.
COLORREF FillTabPolygon(CDC* pDC, CTabStripDrawer* pDrawer, CKitTabManagerItem* pItem, const POINT* pPoints,
                        int nCount, BOOL bAbsolute);

// Shape 3: tabs whose start edge slants; neighbours overlap.
class CTabStripShapeSlanted : public CTabStripShape
{
public:
    CTabStripShapeSlanted() { m_rectMargins.SetRect(2, 3, 6, 0); }
    CRect GetMargins() const override;
    CRect PaintHeader(CTabStrip* pStrip, CDC* pDC, const CRect& rect) override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetConstant() const override { return 21; }
    int GetDefaultPalette() const override { return 4; }

    BOOL m_bHotOutline = FALSE;
};

// Shape 9: sheet tabs, wide toward the client, drawn toward the selected one.
class CTabStripShapeSheet : public CTabStripShapeSlanted
{
public:
    CTabStripShapeSheet() { m_bDrawTowardSelected = TRUE; }
    CRect GetMargins() const override;
    void DrawTab(CDC* pDC, CKitTabManagerItem* pItem) override;
};
