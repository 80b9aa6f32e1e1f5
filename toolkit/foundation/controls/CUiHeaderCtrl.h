// CUiHeaderCtrl: the header of the toolkit's report lists. It paints through a
// header theme, tracks the item under the mouse, shows the sort column and
// order with an arrow, keeps frozen columns at their width, spreads the
// remaining width over the other columns and offers a right-click menu to
// sort and align. CUiFlatHeaderCtrl is the same with a flat theme of its own.
#pragma once

#include "HeaderThemes.h"

#include <vector>

// Commands of the header's right-click menu.
enum HeaderMenuCommand : UINT
{
    kHeaderSortAscending = 9158,
    kHeaderSortDescending = 9159,
    kHeaderAlignLeft = 9160,
    kHeaderAlignCenter = 9161,
    kHeaderAlignRight = 9162,
};

class CUiHeaderCtrl : public CHeaderCtrl, public CThemeHost
{
    DECLARE_DYNAMIC(CUiHeaderCtrl)
public:
    CUiHeaderCtrl();
    ~CUiHeaderCtrl() override;

    virtual BOOL IsItemPressed(int nItem) const;
    virtual void SetBoldFont(BOOL bBold);
    virtual void SetPopupMenu(UINT nMenuID, int nPopupIndex);
    virtual void SetBoldFontNoRedraw(BOOL bBold);
    virtual void ShowSortArrow(BOOL bShow);
    virtual void SetColumnAlignment(int nFormat);
    virtual BOOL IsRightToLeft() const;
    virtual void SpreadColumns(int nWidth);
    virtual void FitColumnsToWindow(int nWidth);
    virtual int GetFrozenWidth() const;

    int SetSortImage(int nColumn, BOOL bAscending);
    int GetSortImage(BOOL* pAscending = nullptr) const;
    BOOL HasSortArrow() const;
    BOOL IsFrozen(int nIndex) const;
    void RecalcLayout();
    CUiHeaderTheme* GetHeaderTheme() const { return dynamic_cast<CUiHeaderTheme*>(GetTheme()); }

    // Frozen columns keep their width; the list is kept to real column
    // indexes, each once.
    BOOL FreezeColumn(int nIndex);
    void UnfreezeAll() { m_frozen.clear(); }
    void SetMinColumnWidth(int nWidth) { m_nMinColumnWidth = nWidth < 0 ? 0 : nWidth; }
    int GetMinColumnWidth() const { return m_nMinColumnWidth; }
    void SetFitToWindow(BOOL bFit) { m_bFitToWindow = bFit; }
    void EnableMenu(BOOL bEnable) { m_bMenuEnabled = bEnable; }
    int GetHotItem() const { return m_nHotItem; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ThemeChanged() override;

    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The item under a client point (HHT_ONHEADER), or -1.
    int HitTestItem(CPoint point, UINT* pFlags = nullptr) const;
    // The parent when it is a list control or a list view, else null.
    CWnd* GetParentList() const;
    void SortFromMenu(BOOL bAscending);
    void SendSyntheticClick(int nItem);

    int m_nMinColumnWidth = 0;
    int m_nMenuPopupIndex = 0;
    int m_nHotItem = -1;
    int m_nSortColumn = -1;
    BOOL m_bFitToWindow = FALSE;
    BOOL m_bMenuEnabled = TRUE;
    BOOL m_bSortAscending = TRUE;
    BOOL m_bLButtonDown = FALSE;
    BOOL m_bHotDrawn = FALSE;
    UINT m_nCustomMenuID = 0;
    CPoint m_ptLastRightClick;
    std::vector<int> m_frozen;
};

class CUiFlatHeaderCtrl : public CUiHeaderCtrl
{
    DECLARE_DYNAMIC(CUiFlatHeaderCtrl)
public:
    CUiFlatHeaderCtrl();
};
