#include "CFrameWnd.h"

#include "AfxMessages.h"
#include "CView.h"
#include "CWinApp.h"
#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    // The view of an MDI frame lives in its children, so the context is theirs.
    HMENU hMenu = ::GetMenu(m_hWnd);
    if (m_hMenuDefault == nullptr)
        m_hMenuDefault = hMenu; // shown again when no child has a menu of its own
    return CreateClient(lpcs, hMenu != nullptr ? GetWindowMenuPopup(hMenu) : nullptr);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenuBar);
    for (int i = nCount - 1; i >= 0; --i)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup == nullptr)
            continue;
        const int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j)
        {
            const UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_TILE_VERT)
                return hPopup;
        }
    }
    return nullptr;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu)
{
    if (m_hWndMDIClient != nullptr)
        return TRUE;
    CLIENTCREATESTRUCT client = {};
    client.hWindowMenu = hWindowMenu;
    client.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // The frame's scroll bars, when asked for, belong to the client.
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES |
                          (lpCreateStruct != nullptr ? (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL)) : 0);
    if (lpCreateStruct != nullptr && (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL)))
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_FRAMECHANGED);
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &client);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // Not DefFrameProc: it would stretch the client over the control bars
    // before the layout puts it back.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active document's frame (and its view and document) first.
    CMDIChildWnd* pChild = MDIGetActiveChild();
    if (pChild != nullptr && pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+F4, Ctrl+F6 and the child's system menu keys; the child's own
    // accelerators had their turn on the way up from the focus.
    if (m_hWndMDIClient != nullptr && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CWnd* pActive = MDIGetActive();
    if (pActive != nullptr && pActive->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return static_cast<CFrameWnd*>(pActive);
    return this;
}

CWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == nullptr)
        return nullptr;
    return FromHandle(reinterpret_cast<HWND>(
        ::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(pbMaximized))));
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActiveChild() const
{
    if (m_hWndMDIClient == nullptr)
        return nullptr;
    CWnd* pActive =
        FromHandlePermanent(reinterpret_cast<HWND>(::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0)));
    return pActive != nullptr && pActive->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(pActive)
                                                                                : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != nullptr && pWndActivate != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (m_hWndMDIClient != nullptr && pWnd != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (m_hWndMDIClient != nullptr && pWnd != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    HMENU hCurrent = ::GetMenu(m_hWnd);
    if (m_hWndMDIClient == nullptr || hCurrent == nullptr || hFrameMenu == nullptr)
        return hCurrent;
    if (hWindowMenu == nullptr)
        hWindowMenu = GetWindowMenuPopup(hFrameMenu);
    auto hOld = reinterpret_cast<HMENU>(::SendMessageW(m_hWndMDIClient, WM_MDISETMENU,
                                                       reinterpret_cast<WPARAM>(hFrameMenu),
                                                       reinterpret_cast<LPARAM>(hWindowMenu)));
    ::DrawMenuBar(m_hWnd);
    return hOld;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (CMDIChildWnd* pChild = MDIGetActiveChild())
    {
        pChild->OnUpdateFrameMenu(hMenuAlt);
        return;
    }
    MDISetMenu(hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault, nullptr);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

CMDIChildWnd::~CMDIChildWnd()
{
    // A menu still shown by a live frame is the frame's to destroy.
    if (m_hMenuShared != nullptr)
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain == nullptr || pMain->m_hWnd == nullptr || ::GetMenu(pMain->m_hWnd) != m_hMenuShared)
            ::DestroyMenu(m_hMenuShared);
    }
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
    }
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr)
    {
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCTW cs = {};
    cs.dwExStyle = WS_EX_MDICHILD;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    if (m_strTitle.IsEmpty() && lpszWindowName != nullptr)
        m_strTitle = lpszWindowName;

    MDICREATESTRUCTW create = {};
    create.szClass = cs.lpszClass;
    create.szTitle = cs.lpszName;
    create.hOwner = cs.hInstance;
    create.x = cs.x;
    create.y = cs.y;
    create.cx = cs.cx;
    create.cy = cs.cy;
    create.style = cs.style;
    create.lParam = reinterpret_cast<LPARAM>(pContext);
    // Through the client, so that a workspace that took it over sees the
    // new child.
    AfxHookWindowCreate(this);
    auto hWnd = reinterpret_cast<HWND>(
        ::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
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
    m_hMenuShared = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nIDResource));
    LoadAccelTable(MAKEINTRESOURCEW(nIDResource));
    CMDIFrameWnd* pFrame = nullptr;
    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        pFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
    if (!Create(className, m_strTitle, dwDefaultStyle, rectDefault, pFrame, pContext))
        return FALSE; // deleted itself
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // The creation parameter of an MDI child is the MDI creation block; the
    // context rides in its lParam.
    auto* pCreate = static_cast<MDICREATESTRUCTW*>(lpcs->lpCreateParams);
    auto* pContext = pCreate != nullptr ? reinterpret_cast<CCreateContext*>(pCreate->lParam) : nullptr;
    return OnCreateHelper(lpcs, pContext);
}

void CMDIChildWnd::OnDestroy()
{
    // The frame stops showing this child's menu before the menu goes.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && m_hMenuShared != nullptr && ::GetMenu(pFrame->m_hWnd) == m_hMenuShared)
        pFrame->MDISetMenu(pFrame->m_hMenuDefault, nullptr);
    CFrameWnd::OnDestroy();
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient == nullptr)
        return CFrameWnd::DestroyWindow();
    // The client takes the child out of its list and activates the next.
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1)
    {
        BOOL bMaximized = FALSE;
        CWnd* pActive = pFrame != nullptr ? pFrame->MDIGetActive(&bMaximized) : nullptr;
        if (IsIconic())
            nCmdShow = SW_RESTORE;
        else if (pActive != nullptr && pActive != this && bMaximized)
            nCmdShow = SW_SHOWMAXIMIZED; // a maximized neighbour makes this one maximized too
        else
            nCmdShow = SW_SHOW;
    }
    ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE)
        MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuShared;
    pFrame->MDISetMenu(hMenu != nullptr ? hMenu : pFrame->m_hMenuDefault, nullptr);
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM wParam, LPARAM lParam)
{
    Default();
    const auto hDeactivate = reinterpret_cast<HWND>(wParam);
    const auto hActivate = reinterpret_cast<HWND>(lParam);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return 0;
    if (hActivate == m_hWnd)
    {
        OnUpdateFrameMenu(nullptr);
        if (m_pViewActive != nullptr)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    else if (hDeactivate == m_hWnd && hActivate == nullptr)
    {
        // The last child went or lost the activation: the frame's own menu.
        pFrame->MDISetMenu(pFrame->m_hMenuDefault, nullptr);
    }
    return 0;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    CWnd* pFrame = hClient != nullptr ? FromHandlePermanent(::GetParent(hClient)) : nullptr;
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pFrame)
                                                                              : nullptr;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
