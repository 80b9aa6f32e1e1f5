#include "CBarDragTracker.h"

#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitDockBar.h"
#include "CPopupMouseTracker.h"
#include "core/ControlLayout.h"
#include "window/CFrameWnd.h"

#include <algorithm>

using namespace kit::commandbars;

namespace
{

constexpr int kDragMode = 1;
constexpr DWORD kMayFloat = 0x10;

BOOL MayDockAt(CKitCommandBar* pBar, int nSide)
{
    return (pBar->GetFlags() & (1u << nSide)) != 0;
}

// Holds the thread's popup tracker busy while a loop runs.
class CTrackerBusy
{
public:
    CTrackerBusy() : m_pTracker(CPopupMouseTracker::GetThreadTracker()) { ++m_pTracker->m_nLock; }
    ~CTrackerBusy() { --m_pTracker->m_nLock; }
    CTrackerBusy(const CTrackerBusy&) = delete;
    CTrackerBusy& operator=(const CTrackerBusy&) = delete;

private:
    CPopupMouseTracker* m_pTracker;
};

}  // namespace

void EnsureRectContainsPoint(CRect& rc, CPoint pt)
{
    if (pt.x < rc.left)
        rc.OffsetRect(pt.x - rc.left, 0);
    else if (pt.x >= rc.right)
        rc.OffsetRect(pt.x - rc.right + 1, 0);
    if (pt.y < rc.top)
        rc.OffsetRect(0, pt.y - rc.top);
    else if (pt.y >= rc.bottom)
        rc.OffsetRect(0, pt.y - rc.bottom + 1);
}

void CBarDragTracker::StartDrag(CPoint ptScreen)
{
    if (!::IsWindow(m_pBar->m_hWnd) || m_pBar->GetCommandBars() == nullptr)
        return;
    m_nMode = kDragMode;
    const int nDockPosition = m_nDockPosition;
    const CRect rcDock = m_rcDock;
    const BOOL bWasFloating = m_pBar->GetPosition() == kBarFloating;
    m_pBar->GetWindowRect(&m_rcDrag);
    EnsureRectContainsPoint(m_rcDrag, ptScreen);
    m_rcFloat = m_rcDrag;
    m_ptLast = ptScreen;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    const HWND hBar = m_pBar->m_hWnd;
    {
        CTrackerBusy busy;
        TrackLoop();
    }
    if (!::IsWindow(hBar))
        return;
    if (m_pBar->GetPosition() == kBarFloating)
    {
        m_ptFloat = m_rcFloat.TopLeft();
        if (!bWasFloating)
        {
            // Where it was docked, so that it can go back there.
            m_nDockPosition = nDockPosition;
            m_rcDock = rcDock;
        }
    }
}

void CBarDragTracker::StartResize(int nHitCode, CPoint ptScreen)
{
    if (!::IsWindow(m_pBar->m_hWnd))
        return;
    m_nMode = nHitCode;
    m_ptLast = ptScreen;
    m_pBar->GetWindowRect(&m_rcFloat);
    const HWND hBar = m_pBar->m_hWnd;
    {
        CTrackerBusy busy;
        TrackLoop();
    }
    if (!::IsWindow(hBar))
        return;
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    if (m_pBar->GetPosition() == kBarFloating)
        m_ptFloat = rc.TopLeft();
    m_pBar->m_nFloatingWidth = rc.Width();
}

void CBarDragTracker::FloatAtFloatRect(CPoint ptScreen)
{
    CKitCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (m_pBar->GetPosition() != kBarFloating && !pCommandBars->FloatCommandBar(m_pBar))
        return;
    const CSize size = m_pBar->CalcDynamicLayout(0, kLayoutHorz | kLayoutUseFloatingWidth | kLayoutCommit);
    m_rcFloat = CRect(m_rcFloat.TopLeft(), size);
    EnsureRectContainsPoint(m_rcFloat, ptScreen);
    m_pBar->SetWindowPos(nullptr, m_rcFloat.left, m_rcFloat.top, m_rcFloat.Width(), m_rcFloat.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pCommandBars->RelayoutFrame(FALSE);
}

void CBarDragTracker::MoveTo(CPoint ptScreen)
{
    CKitCommandBars* pCommandBars = m_pBar->GetCommandBars();
    const CSize offset = ptScreen - m_ptLast;
    m_rcDrag.OffsetRect(offset);
    m_rcFloat.OffsetRect(offset);
    m_ptLast = ptScreen;
    CKitDockBar* pCurrent = m_pBar->m_pDockBar;
    CKitDockBar* pTarget = pCommandBars->FindDockBarAtPoint(ptScreen, pCurrent);
    if (pTarget != nullptr && MayDockAt(m_pBar, pTarget->GetPosition()))
    {
        const BOOL bWasHorizontal = m_pBar->GetPosition() != kBarLeft && m_pBar->GetPosition() != kBarRight;
        if (bWasHorizontal != pTarget->IsHorizontal())
        {
            // Turned round the pointer: the gripper stays under it.
            m_rcDrag = CRect(ptScreen.x - 4, ptScreen.y - 4, ptScreen.x - 4 + m_rcDrag.Height(),
                             ptScreen.y - 4 + m_rcDrag.Width());
        }
        const BOOL bMoved = pTarget != pCurrent;
        pCommandBars->DockCommandBar(m_pBar, &m_rcDrag, pTarget);
        m_nDockPosition = pTarget->GetPosition();
        m_rcDock = m_rcDrag;
        pTarget->ScreenToClient(&m_rcDock);
        if (CFrameWnd* pFrame = pCommandBars->GetSiteFrame())
            pFrame->RecalcLayout(FALSE);
        if (bMoved)
            m_pBar->GetWindowRect(&m_rcDrag);
        return;
    }
    if ((m_pBar->GetFlags() & kMayFloat) != 0)
        FloatAtFloatRect(ptScreen);
}

void CBarDragTracker::ResizeTo(CPoint ptScreen)
{
    CRect rc = m_rcFloat;
    DWORD dwMode = kLayoutHorz | kLayoutCommit;
    int nLength = 0;
    switch (m_nMode)
    {
    case HTLEFT:
        rc.left = ptScreen.x;
        nLength = rc.Width();
        break;
    case HTRIGHT:
        rc.right = ptScreen.x;
        nLength = rc.Width();
        break;
    case HTTOP:
        rc.top = ptScreen.y;
        nLength = rc.Height();
        dwMode |= kLayoutLengthIsHeight;
        break;
    case HTBOTTOM:
        rc.bottom = ptScreen.y;
        nLength = rc.Height();
        dwMode |= kLayoutLengthIsHeight;
        break;
    default:
        return;
    }
    m_rcFloat = rc;
    const CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (size == rcWindow.Size())
        return;
    CRect rcNew(rcWindow.TopLeft(), size);
    if (m_nMode == HTLEFT)
        rcNew.OffsetRect(rcWindow.right - rcNew.right, 0);
    else if (m_nMode == HTTOP)
        rcNew.OffsetRect(0, rcWindow.bottom - rcNew.bottom);
    MONITORINFO monitor = {sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(m_pBar->m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    CRect rcVisible;
    if (!rcVisible.IntersectRect(&rcNew, &monitor.rcWork))
        return;
    m_pBar->SetWindowPos(nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->Invalidate(FALSE);
}

BOOL CBarDragTracker::ToggleDocking()
{
    CKitCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return FALSE;
    if (m_pBar->GetPosition() == kBarFloating)
    {
        CKitDockBar* pDockBar = pCommandBars->GetDockBar(m_nDockPosition);
        if ((m_pBar->GetFlags() & 0xF) == 0 || pDockBar == nullptr)
            return FALSE;
        CRect rc = m_rcDock;
        pDockBar->ClientToScreen(&rc);
        pCommandBars->DockCommandBar(m_pBar, &rc, pDockBar);
        pCommandBars->RelayoutFrame(FALSE);
    }
    else
    {
        if ((m_pBar->GetFlags() & kMayFloat) == 0 || !pCommandBars->GetSettings()->m_bDblClickFloat)
            return FALSE;
        CPoint ptCorner = m_ptFloat;
        if (ptCorner.x <= 0 || ptCorner.y <= 0)
        {
            CRect rcDock = m_rcDock;
            if (CKitDockBar* pDockBar = m_pBar->m_pDockBar)
                pDockBar->ClientToScreen(&rcDock);
            ptCorner = rcDock.TopLeft();
        }
        m_rcFloat = CRect(ptCorner, CSize(1, 1));
        FloatAtFloatRect(ptCorner);
    }
    pCommandBars->GetSettings()->m_bChanged = TRUE;
    return TRUE;
}

void CBarDragTracker::TrackLoop()
{
    const HWND hBar = m_pBar->m_hWnd;
    if (::GetCapture() != nullptr && ::GetCapture() != hBar)
        return;
    CKitCommandBars* pCommandBars = m_pBar->GetCommandBars();
    ::SetCapture(hBar);
    while (::GetCapture() == hBar)
    {
        MSG msg;
        // WM_QUIT comes out of any filtered peek too.
        BOOL bQuit = FALSE;
        while (!bQuit && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                bQuit = TRUE;
            else
                ::DispatchMessageW(&msg);
        }
        if (bQuit || !::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The application is quitting: its own loop must see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            ::ReleaseCapture();
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                ::ReleaseCapture();
            break;
        case WM_MOUSEMOVE:
            if (CPoint(msg.pt) != m_ptLast)
            {
                if (m_nMode == kDragMode)
                    MoveTo(CPoint(msg.pt));
                else
                    ResizeTo(CPoint(msg.pt));
                break;
            }
            ::DispatchMessageW(&msg);
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (!::IsWindow(hBar))
            return;
        if (pCommandBars != nullptr)
            pCommandBars->FlushDelayedLayout();
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();
    if (pCommandBars != nullptr)
        pCommandBars->GetSettings()->m_bChanged = TRUE;
}
