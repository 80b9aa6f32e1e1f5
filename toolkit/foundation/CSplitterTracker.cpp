#include "CSplitterTracker.h"

#include <algorithm>

CSplitterTracker::CSplitterTracker(BOOL bSolidInvert) : m_bSolidInvert(bSolidInvert)
{
    m_rcSecond.SetRectEmpty();
}

void CSplitterTracker::DrawTrackerRect(const RECT& rect)
{
    // Exclusive-or drawing: the same call erases what it drew.
    if (m_bSolidInvert) {
        m_pDC->InvertRect(&rect);
        return;
    }
    CBrush* pHalftone = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = ::SelectObject(m_pDC->GetSafeHdc(), pHalftone->GetSafeHandle());
    m_pDC->PatBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
    ::SelectObject(m_pDC->GetSafeHdc(), hOld);
}

BOOL CSplitterTracker::Track(CWnd* pWnd, const RECT& rcLimits, RECT& rcTracker, POINT ptStart, BOOL bHorz)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (!hWnd)
        return FALSE;
    ::SetCapture(hWnd);
    HWND hDesktop = ::GetDesktopWindow();
    const BOOL bLocked = ::LockWindowUpdate(hDesktop);
    HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    CDC dc;
    dc.Attach(hDC);
    m_pDC = &dc;

    const POINT offset{bHorz ? rcTracker.left - ptStart.x : 0, bHorz ? 0 : rcTracker.top - ptStart.y};
    const bool hasSecond = !m_rcSecond.IsRectEmpty();
    DrawTrackerRect(rcTracker);
    if (hasSecond)
        DrawTrackerRect(m_rcSecond);

    BOOL bAccepted = FALSE;
    bool tracking = true;
    while (tracking && ::GetCapture() == hWnd) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            // Quit arrived during the drag: leave it for the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(msg.hwnd, &pt);
            pt.x += offset.x;
            pt.y += offset.y;
            // The lower limit wins when the limits cross.
            pt.x = std::max(std::min(pt.x, rcLimits.right), rcLimits.left);
            pt.y = std::max(std::min(pt.y, rcLimits.bottom), rcLimits.top);
            const LONG current = bHorz ? rcTracker.left : rcTracker.top;
            const LONG wanted = bHorz ? pt.x : pt.y;
            if (wanted != current) {
                DrawTrackerRect(rcTracker);
                ::OffsetRect(&rcTracker, bHorz ? wanted - current : 0, bHorz ? 0 : wanted - current);
                DrawTrackerRect(rcTracker);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                tracking = false;
            else
                ::DispatchMessageW(&msg);
            break;
        case WM_LBUTTONUP:
            bAccepted = TRUE;
            tracking = false;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }

    if (hasSecond)
        DrawTrackerRect(m_rcSecond);
    DrawTrackerRect(rcTracker);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    dc.Detach();
    ::ReleaseDC(hDesktop, hDC);
    m_pDC = nullptr;
    return bAccepted;
}
