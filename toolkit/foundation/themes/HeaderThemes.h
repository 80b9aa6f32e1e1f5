// The header family's themes (default, flat and scheme) and their factory:
// they paint a whole header control in one pass, with the hot and pressed
// item, the item images and the sort arrow of the sort column.
#pragma once

#include "CVisualStyleData.h"
#include "ThemeManager.h"
#include "core/StyleColor.h"

#include <commctrl.h>

class CUiHeaderCtrl;

// Header style bits of the header themes.
enum HeaderThemeStyle : DWORD
{
    kHeaderUseVisualStyle = 0x01,
    kHeaderHotTracking = 0x02,
    kHeaderSortArrow = 0x04,
};

// Item states of the draw record.
enum HeaderItemState : UINT
{
    kHeaderItemNormal = 0,
    kHeaderItemPressed = 1,
    kHeaderItemHot = 0x40,
};

// What every header drawing operation gets.
struct CHeaderDrawRecord
{
    CDC* pDC = nullptr;
    int nItem = -1;
    UINT nState = kHeaderItemNormal;
    CRect rcItem;
    HDITEMW item{};
};

class CUiHeaderTheme : public CControlTheme
{
public:
    CUiHeaderTheme();

    void UpdateMetrics() override;

    virtual void DrawHeader(CDC* pDC, CUiHeaderCtrl* pHeader);
    virtual BOOL UseVisualStyle(CUiHeaderCtrl* pHeader);
    virtual void SetHeaderStyle(DWORD dwStyle, CUiHeaderCtrl* pHeader);
    virtual DWORD GetHeaderStyle() const { return m_dwHeaderStyle; }
    virtual BOOL LayoutHeader(HDLAYOUT* pLayout, CUiHeaderCtrl* pHeader, LRESULT* pResult);
    virtual void FreeItemImages(CUiHeaderCtrl* pHeader);
    virtual BOOL SetItemBitmap(int nItem, UINT nBitmapID, BOOL bRemove, COLORREF clrMask, CUiHeaderCtrl* pHeader);
    virtual void DrawBack(CHeaderDrawRecord& rec);
    virtual BOOL DrawBackVisualStyle(CHeaderDrawRecord& rec);
    virtual void DrawItemBack(CHeaderDrawRecord& rec);
    virtual BOOL DrawItemVisualStyle(CHeaderDrawRecord& rec);
    virtual void DrawSortArrow(CHeaderDrawRecord& rec, BOOL bAscending);
    virtual void DrawItemContent(CHeaderDrawRecord& rec, CUiHeaderCtrl* pHeader);
    virtual void DrawItemImage(CHeaderDrawRecord& rec, CRect& rcText, CUiHeaderCtrl* pHeader);
    virtual void DrawArrowShape(CDC* pDC, const CPoint points[3], BOOL bAscending);

    int m_nArrowSpacing = 10;
    DWORD m_dwHeaderStyle = kHeaderUseVisualStyle | kHeaderHotTracking | kHeaderSortArrow;
    BOOL m_bUseVisualStyle = FALSE;
    int m_nTextMargin = 6;
    int m_nTextTop = 0;
    int m_nArrowWidth = 8;
    int m_nArrowHeight = 7;
    CStyleColor m_clrText, m_clrFace, m_clrShadow, m_clrDarkShadow, m_clrHighlight;
    CVisualStyleData m_visualStyle;

protected:
    void Line(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
};

class CUiHeaderThemeFlat : public CUiHeaderTheme
{
public:
    CUiHeaderThemeFlat();
    void DrawBack(CHeaderDrawRecord& rec) override;
    void DrawItemBack(CHeaderDrawRecord& rec) override;

protected:
    // Shadow and highlight dividers from y 2 to bottom - nBottomInset.
    void DrawDividers(CHeaderDrawRecord& rec, int nBottomInset);
};

class CUiHeaderThemeScheme : public CUiHeaderThemeFlat
{
public:
    CUiHeaderThemeScheme();
    void DrawBack(CHeaderDrawRecord& rec) override;
    void DrawItemBack(CHeaderDrawRecord& rec) override;
    BOOL LayoutHeader(HDLAYOUT* pLayout, CUiHeaderCtrl* pHeader, LRESULT* pResult) override;
};

class CUiHeaderCtrlThemeFactory : public CUiThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CUiHeaderCtrlThemeFactory)
public:
    CControlTheme* MakeTheme(int nType) override;
};
