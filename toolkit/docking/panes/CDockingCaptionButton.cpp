#include "CDockingCaptionButton.h"

#include "CDockingNode.h"
#include "CaptureLoop.h"

BOOL CDockingCaptionButton::IsVisible()
{
    return m_pOwner->IsCaptionButtonVisible(this);
}

void CDockingCaptionButton::SetRect(const CRect& rect)
{
    if (rect == m_rect)
        return;
    m_rect = rect;
    m_pOwner->OnCaptionButtonRectChanged(this);
}

void CDockingCaptionButton::Redraw()
{
    m_pOwner->InvalidateNode();
}

BOOL CDockingCaptionButton::CheckHover(int x, int y)
{
    const BOOL bInside = m_rect.PtInRect(CPoint(x, y));
    if (bInside && m_bHot)
        return FALSE;
    if (!bInside)
    {
        if (m_bHot)
        {
            m_bHot = FALSE;
            Redraw();
        }
        return FALSE;
    }
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_pOwner->GetNodeWindow(), 0};
    if (track.hwndTrack)
        ::_TrackMouseEvent(&track);
    m_bHot = TRUE;
    Redraw();
    return TRUE;
}

BOOL CDockingCaptionButton::TrackClick(CWnd* pWnd, int x, int y, BOOL bClientCoords)
{
    if (::GetCapture() != nullptr || !pWnd || !pWnd->GetSafeHwnd())
        return FALSE;
    const HWND hWnd = pWnd->GetSafeHwnd();
    ::SetCapture(hWnd);
    CPoint point(x, y);
    BOOL bClicked = FALSE;
    for (;;)
    {
        const BOOL bInside = m_rect.PtInRect(point);
        if (bInside != m_bPressed)
        {
            m_bPressed = bInside;
            Redraw();
        }
        MSG msg{};
        CPoint moved = point;
        const CaptureEvent event = NextCaptureEvent(hWnd, msg, moved);
        if (event == CaptureEvent::End)
            break;
        if (event == CaptureEvent::Release)
        {
            bClicked = m_bPressed;
            break;
        }
        if (event == CaptureEvent::Move)
        {
            point = moved;
            if (!bClientCoords)
            {
                CRect window;
                ::GetWindowRect(hWnd, &window);
                ::ClientToScreen(hWnd, &point);
                point.Offset(-window.left, -window.top);
            }
        }
        else if (event == CaptureEvent::Other)
        {
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    CheckHover(point.x, point.y);
    Redraw();
    return bClicked;
}
