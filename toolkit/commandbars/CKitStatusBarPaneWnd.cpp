#include "CKitStatusBarPaneWnd.h"

#include "CColorTable.h"
#include "DeviceContexts.h"
#include "window/CDC.h"

IMPLEMENT_DYNCREATE(CKitStatusBarPaneWnd, CWnd)

BOOL CKitStatusBarPaneWnd::Create(LPCTSTR lpszText, CWnd* pParent, DWORD dwStyle, UINT nId)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_BYTEALIGNCLIENT);
    if (!CreateEx(0, lpszClass, lpszText, dwStyle, CRect(0, 0, 0, 0), pParent, nId))
        return FALSE;
    m_strText = lpszText;
    return TRUE;
}

LRESULT CKitStatusBarPaneWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
    {
        CPaintDC paintDC(this);
        CRect rcClient;
        GetClientRect(&rcClient);
        CDoubleBufferDC dc(paintDC.m_hDC, rcClient);
        dc.FillSolidRect(rcClient, GetColorTable()->GetColor(COLOR_BTNFACE));
        DrawContent(&dc, rcClient);
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
