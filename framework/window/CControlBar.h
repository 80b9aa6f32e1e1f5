// Control bars: windows along the frame's edges that take part in its
// layout through WM_SIZEPARENT and update their items at idle time.
#pragma once

#include "CWnd.h"

#include <commctrl.h>
#include <vector>

class CFrameWnd;
class CBitmap;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;

    // CBRS_* alignment, border and behaviour bits.
    DWORD m_dwStyle = 0;
    int m_cxLeftBorder = 2;
    int m_cxRightBorder = 2;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    BOOL m_bAutoDelete = FALSE;
    CFrameWnd* m_pDockSite = nullptr;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    BOOL IsFloating() const { return FALSE; }
    BOOL IsVisible() const { return IsWindowVisible(); }
    // The size the bar wants along its edge (bStretch: it spans the edge).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // The client rectangle less the bar's borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void OnBarStyleChange(DWORD, DWORD) {}
    // Shows or hides the bar at the next idle pass, with a delayed layout.
    void DelayShow(BOOL bShow);
    void PostNcDestroy() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    // Where a pending DelayShow leaves the bar.
    enum class PendingShow { none, show, hide };
    PendingShow m_pendingShow = PendingShow::none;
    BOOL CreateBarWindow(LPCTSTR lpszClass, DWORD dwBarStyle, DWORD dwWindowStyle, CWnd* pParentWnd, UINT nID);
};

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    ~CToolBar() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    using CWnd::CreateEx;
    // RT_TOOLBAR: WORD version (1), width, height, count, then count ids
    // (0 = separator). The bitmap of the same id holds the images; without
    // one the standard small images stand in.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEW(nIDResource)); }
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const { SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)); }
    int CommandToIndex(UINT nIDFind) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeImage{16, 15};
    // The button images LoadToolBar loaded; the bar owns and frees it.
    HBITMAP m_hbmImageWell = nullptr;
};

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // Pane 0 (usually ID_SEPARATOR) is the message pane and stretches; the
    // others are as wide as their indicator text.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    UINT GetItemID(int nIndex) const { return m_panes[nIndex].nID; }
    int CommandToIndex(UINT nIDFind) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    struct Pane
    {
        UINT nID;
        CString text; // the indicator text shown when enabled
        int cx;
    };
    std::vector<Pane> m_panes;
    void UpdateParts();
};

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // RBN_HEIGHTCHANGE, reflected: the frame's layout follows the new height.
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
};
