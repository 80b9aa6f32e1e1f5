#include "CControlsGalleryFrame.h"

#include "CSavedWindowPlacement.h"

CControlsGalleryFrame::~CControlsGalleryFrame()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CControlsGalleryFrame::CreateGallery(BOOL bRestorePlacement)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, 640, 400};
    ::AdjustWindowRectEx(&frame, dwStyle, FALSE, 0);
    if (!CreateEx(0, lpszClass, kTitle, dwStyle, 40, 40, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                  nullptr))
    {
        return FALSE;
    }
    if (!m_page.CreatePage(this, CRect(0, 0, 640, 400), 100))
        return FALSE;
    if (bRestorePlacement)
    {
        CSavedWindowPlacement placement;
        placement.RestorePlacement(this);
    }
    return TRUE;
}

LRESULT CControlsGalleryFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
    {
        if (m_bStorePlacementOnClose)
        {
            CSavedWindowPlacement placement;
            placement.StorePlacement(this);
        }
        DestroyWindow();
        return 0;
    }
    if (message == WM_DESTROY && m_bQuitOnDestroy)
        ::PostQuitMessage(0);
    return CWnd::WindowProc(message, wParam, lParam);
}
