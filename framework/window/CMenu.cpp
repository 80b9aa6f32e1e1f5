#include "CMenu.h"

#include "CWnd.h"
#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    // A menu attached to a window belongs to the window; only a detached
    // menu of our own is destroyed with the object.
    if (m_hMenu != nullptr)
        DestroyMenu();
}

CMenu* AFXAPI CMenu::FromHandle(HMENU hMenu)
{
    return AfxGetThreadState()->MenuMap().FromHandle(hMenu);
}

CMenu* AFXAPI CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu == nullptr ? nullptr : AfxGetThreadState()->MenuMap().LookupPermanent(hMenu);
}

void AFXAPI CMenu::DeleteTempMap()
{
    AfxGetThreadState()->MenuMap().DeleteTemp();
}

CMenu* AFXAPI CMenu::FindPermanentMenuOfItem(UINT nID)
{
    return AfxGetThreadState()->MenuMap().FindPermanent(
        [nID](CMenu* pMenu) { return ::GetMenuState(pMenu->m_hMenu, nID, MF_BYCOMMAND) != static_cast<UINT>(-1); });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    ASSERT(m_hMenu == nullptr);
    if (hMenu == nullptr)
        return FALSE;
    m_hMenu = hMenu;
    AfxGetThreadState()->MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr)
        AfxGetThreadState()->MenuMap().RemoveHandle(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int length = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    LPWSTR buffer = rString.GetBuffer(length + 1);
    int copied = ::GetMenuStringW(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
