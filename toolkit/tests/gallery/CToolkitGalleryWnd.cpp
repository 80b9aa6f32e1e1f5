#include "CToolkitGalleryWnd.h"

BOOL CGalleryPage::CreatePage(CWnd* pParent, const RECT& rect, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return Create(lpszClass, GetTitle(), WS_CHILD | WS_CLIPSIBLINGS, rect, pParent, nID);
}

CToolkitGalleryWnd::CToolkitGalleryWnd() = default;

CToolkitGalleryWnd::~CToolkitGalleryWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CToolkitGalleryWnd::CreateGallery()
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT frame{0, 0, kClientWidth, kClientHeight};
    const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&frame, dwStyle, FALSE, 0);
    if (!CreateEx(0, lpszClass, L"Toolkit Gallery", dwStyle, 40, 40, frame.right - frame.left,
                  frame.bottom - frame.top, nullptr, nullptr))
        return FALSE;
    const RECT client{0, 0, kClientWidth, kClientHeight};
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (!m_pages[i]->CreatePage(this, client, static_cast<UINT>(100 + i)))
            return FALSE;
    ShowPage(0);
    return TRUE;
}

void CToolkitGalleryWnd::ShowPage(size_t index)
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i]->GetSafeHwnd())
            m_pages[i]->ShowWindow(i == index ? SW_SHOW : SW_HIDE);
}

LRESULT CToolkitGalleryWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE && !GetParent()) {
        DestroyWindow();
        return 0;
    }
    if (message == WM_DESTROY && m_bQuitOnDestroy)
        ::PostQuitMessage(0);
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
        // The toolkit follows the system's colours.
        SendMessageToDescendants(message, wParam, lParam, TRUE, TRUE);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
