// The frame's status bar: panes laid out as the parts of the common status
// control, their texts, styles and command updates at idle time, painted
// through the command-bar drawer. The message pane (id 0) stretches; the key
// indicators read "CAP", "NUM" and "SCRL" and follow the keyboard state
// through the frame's command updates.
#pragma once

#include "CKitStatusBarPane.h"
#include "window/CControlBar.h"

#include <vector>

class CFrameWnd;

class CKitStatusBar : public CControlBar
{
public:
    CKitStatusBar();
    ~CKitStatusBar() override;

    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nId);
    BOOL CreateEx(CWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, UINT nId);
    // One pane per id; FALSE when an id has no string (the panes made so
    // far stay).
    BOOL DefinePanes(const UINT* pIds, int nCount);
    void RemoveAllPanes();
    CKitStatusBarPane* GetPane(int nIndex) const;
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(UINT nId) const;
    int GetVisiblePaneCount() const;
    void GetItemRect(int nIndex, CRect& rc) const;
    DWORD GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, DWORD dwStyle);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszText, BOOL bUpdateNow = TRUE);
    CString GetPaneText(int nIndex) const;
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateTexts);
    CKitStatusBarPane* HitTest(CPoint point, CRect* pRect = nullptr) const;
    // The width of the pane's text in the bar's font, plus its icon.
    int BestFit(CKitStatusBarPane* pPane);
    CFont* GetFont() { return &m_font; }
    // Places the panes' child windows in their panes, inside the borders of
    // panes that have them.
    void PositionPaneWindows();
    // A window to show inside the pane (bDelete: the pane deletes the object).
    void SetPaneWindow(int nIndex, CWnd* pChild, BOOL bDelete);
    void SetPaneTooltip(int nIndex, LPCTSTR lpszTooltip);
    // Pane tips: the pane's id for a pane with a tooltip, else -1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    BOOL m_bUseDrawer = TRUE;
    BOOL m_bDrawDisabledText = TRUE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    BOOL HasSizeGrip() const;

    std::vector<CKitStatusBarPane*> m_panes;
    int m_nMinHeight = 0;
    CFont m_font;
};
