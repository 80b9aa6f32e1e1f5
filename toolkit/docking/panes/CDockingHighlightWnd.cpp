#include "CDockingHighlightWnd.h"

#include "window/CDC.h"

LRESULT CDockingHighlightWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, ::GetSysColor(COLOR_HIGHLIGHT));
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return CWnd::WindowProc(message, wParam, lParam);
}
