#include "CFrameWnd.h"

#include "../core/Exceptions.h"
#include "CControlBar.h"
#include "CDC.h"
#include "CDocument.h"
#include "CMenu.h"
#include "CView.h"
#include "CWinApp.h"
#include "ThreadState.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
{
    m_nIDTracking = AFX_IDS_IDLEMESSAGE; // the first idle pass shows "Ready"
}

CFrameWnd::~CFrameWnd()
{
    RemoveFrameOfThread(this);
    if (m_hMenuDefault != nullptr && (m_hWnd == nullptr || ::GetMenu(m_hWnd) != m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL AFXAPI CFrameWnd::IsFrameOfThread(CFrameWnd* pFrame)
{
    auto& frames = AfxGetThreadState()->m_frames;
    return std::find(frames.begin(), frames.end(), pFrame) != frames.end();
}

void AFXAPI CFrameWnd::RemoveFrameOfThread(CWnd* pWnd)
{
    auto& frames = AfxGetThreadState()->m_frames;
    frames.erase(std::remove(frames.begin(), frames.end(), pWnd), frames.end());
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // The FWS_* bits stay in the window's style (the frame classes leave the
    // class-specific bits alone), so a derived frame may still change them
    // after this, and the title is built from what the window really has.
    cs.style |= WS_CLIPCHILDREN;
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        hMenu = ::LoadMenuW(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr)
            return FALSE;
    }
    m_strTitle = lpszWindowName;
    int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
        cx = cy = CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
                  pParentWnd->GetSafeHwnd(), hMenu, pContext))
    {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != nullptr)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsW(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    if (title.LoadString(nIDResource))
    {
        int newline = title.Find(L'\n');
        if (newline >= 0)
            title = title.Left(newline);
    }
    m_strTitle = title;

    HINSTANCE hInst = AfxGetResourceHandle();
    LPCTSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                            ::LoadIconW(hInst, MAKEINTRESOURCEW(nIDResource)));
    // The menu is attached at creation so the first layout already sees it.
    HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nIDResource));
    m_hMenuDefault = hMenu;
    if (!CreateEx(0, className, m_strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), hMenu, pContext))
        return FALSE; // the frame deleted itself in PostNcDestroy
    LoadAccelTable(MAKEINTRESOURCEW(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    AfxGetThreadState()->m_frames.push_back(this);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pObject;
        return nullptr;
    }
    auto* pView = static_cast<CWnd*>(pObject);
    // A view that fails to be made deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
    Default();
}

void CFrameWnd::OnClose()
{
    CWinApp* pApp = AfxGetApp();
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return;
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        if (!pApp->SaveAllModified())
            return;
        HWND hWnd = m_hWnd;
        pApp->CloseAllDocuments(FALSE); // may take this frame down with its document
        if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != this)
            return;
    }
    else if (pDocument != nullptr)
    {
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, nullptr, nullptr, TRUE);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        Default();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC*)
{
    // A view that covers the client area paints it.
    if (m_pViewActive != nullptr)
        return TRUE;
    return static_cast<BOOL>(Default());
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld != nullptr && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        CWinApp* pApp = AfxGetApp();
        nCmdShow = IsWindowVisible() ? SW_SHOW : (pApp != nullptr && pApp->m_pMainWnd == this ? pApp->m_nCmdShow
                                                                                          : SW_SHOWNORMAL);
        if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE)
        BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
    {
        CWnd* pPane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = static_cast<CView*>(pPane);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        ActivateFrame();
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDocument = GetActiveDocument();
    CString title = m_strTitle;
    const DWORD style = GetStyle();
    if (bAddToTitle && (style & FWS_ADDTOTITLE) && pDocument != nullptr)
    {
        CString docTitle = pDocument->GetTitle();
        if (!docTitle.IsEmpty())
            title = (style & FWS_PREFIXTITLE) ? docTitle + L" - " + m_strTitle
                                                        : m_strTitle + L" - " + docTitle;
    }
    CString current;
    GetWindowText(current);
    if (!(current == title))
        SetWindowText(title);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (bPreview)
    {
        pState->hWndFocus = ::GetFocus();
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, nullptr);
        pState->hiddenBars.clear();
        for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            CWnd* pChild = FromHandlePermanent(hChild);
            if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CControlBar)) && ::IsWindowVisible(hChild))
            {
                pState->hiddenBars.push_back(hChild);
                ::ShowWindow(hChild, SW_HIDE);
            }
        }
    }
    else
    {
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, pState->hMenu);
        pState->hMenu = nullptr;
        for (HWND hBar : pState->hiddenBars)
            if (::IsWindow(hBar))
                ::ShowWindow(hBar, SW_SHOWNOACTIVATE);
        pState->hiddenBars.clear();
        if (pState->hWndFocus != nullptr && ::IsWindow(pState->hWndFocus))
            ::SetFocus(pState->hWndFocus);
    }
    RecalcLayout();
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
    if (hMenu != nullptr && ::GetMenu(m_hWnd) != hMenu)
        ::SetMenu(m_hWnd, hMenu);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue; // separators and submenus
        state.m_pSubMenu = nullptr;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // A handler may have removed items.
        state.m_nIndexMax = pMenu->GetMenuItemCount();
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
    {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE; // the menu closed
    }
    else if (nItemID != 0 && !(nFlags & (MF_SEPARATOR | MF_POPUP)))
    {
        m_nIDTracking = nItemID;
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd*)
{
    Default();
    if (nWhy == MSGF_MENU && m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL)
{
    Default();
    if (!(GetStyle() & WS_CHILD))
        SyncFloatingActivation(nState != WA_INACTIVE ? m_hWnd : pWndOther->GetSafeHwnd());
    if (nState != WA_INACTIVE && m_pViewActive != nullptr)
        m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
}

void CFrameWnd::OnActivateApp(BOOL bActive, DWORD)
{
    Default();
    // Another program took over while one of our dialogs was active.
    if (!bActive && !(GetStyle() & WS_CHILD))
        SyncFloatingActivation(nullptr);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    // A synchronised floater of this frame is active: the frame looks active.
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    Default();
    // Floaters are disabled with their frame (a modal dialog disables it).
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

BOOL CFrameWnd::IsSyncedFloater(HWND hWnd) const
{
    return hWnd != nullptr && hWnd != m_hWnd && ::GetWindow(hWnd, GW_OWNER) == m_hWnd &&
           ::SendMessageW(hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
}

void CFrameWnd::SyncFloatingActivation(HWND hWndActive)
{
    if (hWndActive == m_hWnd || IsSyncedFloater(hWndActive))
    {
        if (hWndActive == m_hWnd)
        {
            m_nFlags &= ~WF_STAYACTIVE;
        }
        else if (!(m_nFlags & WF_STAYACTIVE))
        {
            m_nFlags |= WF_STAYACTIVE;
            DefWindowProc(WM_NCACTIVATE, TRUE, 0); // the caption stays active
        }
        if (!m_bFloatersActive)
        {
            m_bFloatersActive = TRUE;
            NotifyFloatingWindows(FS_ACTIVATE);
        }
        return;
    }
    if (m_nFlags & WF_STAYACTIVE)
    {
        m_nFlags &= ~WF_STAYACTIVE;
        DefWindowProc(WM_NCACTIVATE, FALSE, 0);
    }
    // The frame's own popups (its dialogs) keep the family active.
    for (HWND hWnd = hWndActive; hWnd != nullptr; hWnd = AfxGetParentOwner(hWnd))
    {
        if (hWnd == m_hWnd)
            return;
    }
    if (m_bFloatersActive)
    {
        m_bFloatersActive = FALSE;
        NotifyFloatingWindows(FS_DEACTIVATE);
    }
}

namespace
{
struct FloatNotice
{
    HWND hOwner;
    DWORD dwFlags;
};

BOOL CALLBACK NotifyOwnedWindow(HWND hWnd, LPARAM lParam)
{
    auto* notice = reinterpret_cast<FloatNotice*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == notice->hOwner)
        ::SendMessageW(hWnd, WM_FLOATSTATUS, notice->dwFlags, 0);
    return TRUE;
}
} // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    FloatNotice notice{m_hWnd, dwFlags};
    ::EnumThreadWindows(::GetCurrentThreadId(), NotifyOwnedWindow, reinterpret_cast<LPARAM>(&notice));
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString text;
    if (text.LoadString(nID))
    {
        int newline = text.Find(L'\n');
        rMessage = newline >= 0 ? text.Left(newline) : text;
    }
    else if (nID == AFX_IDS_IDLEMESSAGE)
    {
        rMessage = L"Ready";
    }
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT last = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    if (CWnd* pBar = GetMessageBar())
    {
        if (lParam != 0)
        {
            pBar->SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
        }
        else
        {
            CString message;
            if (wParam != 0)
                GetMessageString(static_cast<UINT>(wParam), message);
            pBar->SetWindowText(message);
        }
    }
    m_nIDTracking = static_cast<UINT>(wParam);
    return last;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return OnSetMessageString(wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
        OnUpdateFrameMenu(nullptr);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
        RecalcLayout(m_nIdleFlags & idleNotify);
    m_nIdleFlags = 0;
    if (m_nIDTracking != m_nIDLastMessage && GetMessageBar() != nullptr)
        SetMessageText(m_nIDTracking);
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int key = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
              : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                  : VK_SCROLL;
    pCmdUI->Enable(::GetKeyState(key) & 1);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    CWnd* pWnd = GetDescendantWindow(static_cast<int>(nID), TRUE);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
        return static_cast<CControlBar*>(pWnd);
    return nullptr;
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != nullptr)
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    pBar->OnBarStyleChange(pBar->m_dwStyle, pBar->m_dwStyle);
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == nullptr)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsWindowVisible());
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    ShowControlBar(pBar, !pBar->IsWindowVisible(), FALSE);
    return TRUE;
}

BOOL CFrameWnd::OnToggleBar(UINT nID)
{
    return OnBarCheck(nID);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CFrameWnd* pOldRouting = state->m_pRoutingFrame;
    state->m_pRoutingFrame = this;
    struct Restore
    {
        AFX_THREAD_STATE* state;
        CFrameWnd* previous;
        ~Restore() { state->m_pRoutingFrame = previous; }
    } restore{state, pOldRouting};

    // The active view first (it passes on to its document), then the
    // frame itself, then the application.
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel != nullptr && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
