#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCCREATE()
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    // A popup's menu slot is its menu, so an id is only passed to a child.
    HMENU hMenuOrId = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenuOrId);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_TOOLWINDOW; // the small caption
    if (cs.style & MFS_THICKFRAME)
        cs.style |= WS_THICKFRAME;
    return TRUE;
}

CFrameWnd* CMiniFrameWnd::GetOwnerFrame() const
{
    for (HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER); hOwner != nullptr; hOwner = ::GetWindow(hOwner, GW_OWNER))
    {
        CWnd* pOwner = FromHandlePermanent(hOwner);
        if (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pOwner);
    }
    return nullptr;
}

void CMiniFrameWnd::ShowCaptionActive(BOOL bActive)
{
    m_bActive = bActive;
    DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

BOOL CMiniFrameWnd::OnNcCreate(LPCREATESTRUCT lpcs)
{
    if (!CFrameWnd::OnNcCreate(lpcs))
        return FALSE;
    // A floater made while its owner's family is active starts active.
    if (IsSynced())
    {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        HWND hActive = ::GetActiveWindow();
        for (HWND hWnd = hActive; hWnd != nullptr && !m_bActive; hWnd = AfxGetParentOwner(hWnd))
            m_bActive = hWnd == hOwner;
    }
    return TRUE;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if (!IsSynced())
    {
        m_bActive = bActive;
        return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
    }
    // The caption follows the owner's notices, not this window's own focus.
    DefWindowProc(WM_NCACTIVATE, m_bActive, 0);
    return TRUE;
}

void CMiniFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (!IsSynced())
        return;
    if (CFrameWnd* pOwner = GetOwnerFrame())
        pOwner->SyncFloatingActivation(nState != WA_INACTIVE ? m_hWnd : pWndOther->GetSafeHwnd());
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const BOOL synced = IsSynced();
    if (synced && (wParam & (FS_ACTIVATE | FS_DEACTIVATE)))
    {
        BOOL active = (wParam & FS_ACTIVATE) != 0;
        if (active != m_bActive)
            ShowCaptionActive(active);
    }
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return (synced && (wParam & FS_SYNCACTIVE)) ? TRUE : FALSE;
}
