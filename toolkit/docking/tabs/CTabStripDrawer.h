// The paint manager of tab strips: lays the tabs of a strip out in a
// rectangle (one row with scrolling, shortened, fixed, selected caption only,
// several rows, rotated), draws the strip and each tab's icon and caption,
// keeps the selected tab in view, and holds the fonts, options, position and
// layout that all strips sharing it have in common. How the header and a
// tab's outline look is its appearance set's; the colours are its colour set's.
#pragma once

#include <vector>

#include "CTabStripPalette.h"
#include "CTabStripShape.h"
#include "window/GdiObjects.h"

class CDC;
class CTabStrip;
class CTabStripButton;
class CKitTabManagerItem;

class CTabStripDrawer : public CCmdTarget
{
public:
    CTabStripDrawer();
    ~CTabStripDrawer() override;

    virtual void DrawTabStrip(CTabStrip* pStrip, CDC* pDC, CRect rect);
    virtual void FitClientRect(CTabStrip* pStrip, CRect& rect);
    virtual void RepositionTabs(CTabStrip* pStrip, CDC* pDC, CRect rect);
    // With bDraw the tab's icon and caption are drawn and 0 returned;
    // otherwise the tab's length is returned.
    virtual int DrawItem(CDC* pDC, CKitTabManagerItem* pItem, CRect rect, BOOL bDraw);
    virtual void ReloadMetrics();
    virtual void RefreshStrips();
    virtual void DrawFocus(CDC* pDC, CKitTabManagerItem* pItem, CRect rect);

    CTabStripPalette* ChoosePalette(int nNumber);
    CTabStripShape* ChooseShape(int nNumber);
    CTabStripPalette* SetPalette(CTabStripPalette* pPalette);
    CTabStripShape* SetShape(CTabStripShape* pShape);
    void SetPosition(int nPosition);
    void SetLayout(int nLayout);
    int GetPosition() const { return m_nPosition; }
    int GetLayout() const { return m_nLayout; }
    int GetShapeNumber() const { return m_nShapeNumber; }
    int GetPaletteNumber() const { return m_nPaletteNumber; }
    CTabStripShape* GetShape() const { return m_pShape; }
    CTabStripPalette* GetPalette() const { return m_pPalette; }
    CRect GetShapeMargins() const { return m_pShape->GetMargins(); }
    int GetShapeRowHeight(const CTabStrip* pStrip) const { return m_pShape->GetRowHeight(pStrip); }

    void EnsureVisible(CTabStrip* pStrip, CKitTabManagerItem* pItem);
    void DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect);
    // The common layout and drawing passes the appearance sets build on.
    void LayoutTabs(CTabStrip* pStrip, CDC* pDC, CRect rect);
    void DrawStripDefault(CTabStrip* pStrip, CDC* pDC, CRect rect);
    void DrawRow(CTabStrip* pStrip, CDC* pDC, const CRect& rect, int nRow);
    CRect GetVisibleHeaderRect(CTabStrip* pStrip, const CRect& rect);
    BOOL AreLunaColorsDisabled() const;
    CFont* GetNormalFont() { return &m_fontNormal; }
    // Oriented margins: (l, t, r, b) written for tabs on top, turned with the position.
    static void OrientedDeflate(CRect& rect, const CRect& margins, int nPosition);
    static void OrientedInflate(CRect& rect, const CRect& margins, int nPosition);

    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bBoldCaptions = FALSE;
    BOOL m_bClassicColors = FALSE;
    BOOL m_bTabColors = FALSE;
    int m_nClientFrame = 0;
    BOOL m_bFrame = FALSE;
    CRect m_rectClientMargins;
    CRect m_rectHeaderMargins;
    CRect m_rectContentMargins;
    BOOL m_bGradientSwap = FALSE;
    BOOL m_bFillBackground = TRUE;
    CSize m_sizeIcon{16, 16};
    BOOL m_bMiddleEllipsis = FALSE;
    BOOL m_bNoPrefix = TRUE;
    BOOL m_bKeepRowOrder = FALSE;
    BOOL m_bBalanceRows = TRUE;
    BOOL m_bFocusRect = TRUE;
    BOOL m_bSelectOnDragOver = TRUE;
    std::vector<CTabStrip*> m_stripsToNotify;
    BOOL m_bUseSystemFont = TRUE;
    int m_nTooltipMode = 2;
    int m_nAutoColorCounter = 0;

private:
    void CreateFonts(LOGFONT lf, BOOL bUseSystemFont);
    void LayoutRows(CTabStrip* pStrip, CDC* pDC, CRect rect);
    void CompressTabs(CTabStrip* pStrip, int nAvailable);
    void DrawCaption(CDC* pDC, const CString& strCaption, CRect rect, UINT nFormat);

    CTabStripShape* m_pShape = nullptr;
    CTabStripPalette* m_pPalette = nullptr;
    int m_nShapeNumber = 0;
    int m_nPaletteNumber = 0;
    int m_nPosition = 0;
    int m_nLayout = 0;
    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontVertical;
    CFont m_fontVerticalBold;
};
