// CFrameWnd: a frame with control bars around one client pane (id
// AFX_IDW_PANE_FIRST), the active view and document, the message bar and
// the command routing view -> document -> frame -> application.
#pragma once

#include "../core/Collections.h"
#include "CCreateContext.h"
#include "CPrintInfo.h"
#include "CWnd.h"

class CView;
class CDocument;
class CControlBar;

// Frame bits kept in the frame window's style: the document name in the
// title, before the application name, snapping to bars.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    // Frame flags for idle processing (m_nIdleFlags).
    enum IdleFlags
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };
    UINT m_nIdleFlags = 0;
    BOOL m_bAutoMenuEnable = TRUE;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    CString m_strTitle;
    UINT m_nIDHelp = 0;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    BOOL m_bInRecalcLayout = FALSE;
    CRect m_rectBorder;
    CPtrList m_listControlBars;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Menu, title (first part of the string nIDResource), accelerators and
    // icon all from the one resource id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }

    virtual CView* GetActiveView() const;
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual HACCEL GetDefaultAccelerator() { return m_hAccelTable; }
    // Entering a print preview takes the menu off and hides the visible
    // control bars, keeping them in pState; leaving puts them back.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    // The message bar (the status bar's first pane).
    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // Control bars.
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar) { m_listControlBars.AddTail(pBar); }
    void RemoveControlBar(CControlBar* pBar);
    // Floating windows owned by this frame get WM_FLOATSTATUS notices: its
    // enabled state, and its activation, which changes only when activation
    // leaves or reaches the frame's family from outside (moving between the
    // frame, its synchronised floaters and its own dialogs sends nothing).
    void NotifyFloatingWindows(DWORD dwFlags);
    // Activation moved to hWndActive (NULL: to another program) from or to
    // this frame or one of its floaters; floaters call it on their changes.
    void SyncFloatingActivation(HWND hWndActive);
    // A popup owned by this frame that asks to share its activation look.
    BOOL IsSyncedFloater(HWND hWnd) const;
    virtual void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    virtual BOOL OnBarCheck(UINT nID);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override { delete this; }

    // Each thread's frames, served by the idle phase.
    static BOOL AFXAPI IsFrameOfThread(CFrameWnd* pFrame);
    static void AFXAPI RemoveFrameOfThread(CWnd* pWnd);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg BOOL OnToggleBar(UINT nID);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    // WM_CREATE with the creation context (child frames find theirs in the
    // MDI creation block).
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    CView* m_pViewActive = nullptr;
    // Whether the floating windows were last told FS_ACTIVATE.
    BOOL m_bFloatersActive = FALSE;
};


// The frame of the multiple-document interface: its free area holds the
// system MDI client (id AFX_IDW_PANE_FIRST, kept as a plain handle so that
// a workspace may subclass it), whose children are CMDIChildWnd frames.
// Commands reach the active child before the frame.
class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = nullptr;

    // Makes the MDI client; its child list is appended to hWindowMenu (none
    // when null). OnCreateClient calls it with the Window popup of the
    // frame's menu.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu);
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // The popup of hMenuBar that holds the Window commands (ID_WINDOW_*), else null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CFrameWnd* GetActiveFrame() override;
    CWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    // The active child when it is a framework child frame.
    CMDIChildWnd* MDIGetActiveChild() const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDICascade(int nType = 0);
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Shows hFrameMenu with the child list in hWindowMenu (null: the popup
    // GetWindowMenuPopup finds); the previous menu is returned. A frame
    // without a menu bar of its own (command bars) keeps none.
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

    // The menu of the active child (its shared menu), or the frame's default.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
};

// A document frame inside the MDI client. Destroying it goes through the
// client (WM_MDIDESTROY); unhandled messages go to DefMDIChildProc.
class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    ~CMDIChildWnd() override;

    // The frame's menu while this child is active (null: the frame's own);
    // owned by the child.
    HMENU m_hMenuShared = nullptr;

    // Creates the child in the client of pParentWnd (null: the main
    // window). On failure the object has deleted itself, as a frame does.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // Title, icon, shared menu and accelerators from nIDResource.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL DestroyWindow() override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
};

#include "CMiniFrameWnd.h"
