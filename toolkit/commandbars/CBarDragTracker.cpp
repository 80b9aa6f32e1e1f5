#include "CBarDragTracker.h"

#include "CKitCommandBar.h"
#include "CKitDockBar.h"
#include "window/AfxMessages.h"
#include "window/CFrameWnd.h"

namespace
{

constexpr int kDockZone = 12;  // how far into the frame a side reaches
constexpr UINT kDockBarIds[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                AFX_IDW_DOCKBAR_RIGHT};

}  // namespace

void CBarDragTracker::StartDrag(CPoint ptScreen)
{
    if (m_pBar->m_pDockBar == nullptr || !::IsWindow(m_pBar->m_hWnd))
        return;
    m_ptLast = ptScreen;
    TrackLoop();
}

CKitDockBar* CBarDragTracker::DockBarAt(CPoint ptScreen) const
{
    CFrameWnd* pFrame = m_pBar->m_pDockBar->GetParentFrame();
    if (pFrame == nullptr)
        return nullptr;
    for (UINT nId : kDockBarIds)
    {
        auto* pDockBar = dynamic_cast<CKitDockBar*>(CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, nId)));
        if (pDockBar == nullptr)
            continue;
        CRect rc;
        pDockBar->GetWindowRect(&rc);
        switch (pDockBar->GetPosition())
        {
        case 0:
            rc.bottom += kDockZone;
            break;
        case 1:
            rc.top -= kDockZone;
            break;
        case 2:
            rc.right += kDockZone;
            break;
        default:
            rc.left -= kDockZone;
            break;
        }
        if (rc.PtInRect(ptScreen))
            return pDockBar;
    }
    return nullptr;
}

void CBarDragTracker::MoveTo(CPoint ptScreen)
{
    CKitDockBar* pTarget = DockBarAt(ptScreen);
    if (pTarget == nullptr)
        return;
    CRect rcBar;
    m_pBar->GetWindowRect(&rcBar);
    const BOOL bWasHorizontal = !m_pBar->IsVertical();
    const BOOL bHorizontal = pTarget->IsHorizontal();
    CRect rcNew;
    if (bWasHorizontal == bHorizontal)
    {
        rcNew = rcBar;
        rcNew.OffsetRect(ptScreen - m_ptLast);
    }
    else
    {
        // Turned round the pointer: the gripper stays under it.
        rcNew = CRect(ptScreen.x - 4, ptScreen.y - 4, ptScreen.x - 4 + rcBar.Height(), ptScreen.y - 4 + rcBar.Width());
    }
    m_ptLast = ptScreen;
    if (pTarget == m_pBar->m_pDockBar && rcNew == rcBar)
        return;
    pTarget->DockCommandBar(m_pBar, &rcNew);
    if (CFrameWnd* pFrame = pTarget->GetParentFrame())
        pFrame->RecalcLayout();
}

void CBarDragTracker::TrackLoop()
{
    const HWND hBar = m_pBar->m_hWnd;
    ::SetCapture(hBar);
    while (::GetCapture() == hBar)
    {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The application is quitting: its own loop must see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
            MoveTo(CPoint(msg.pt));
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            ::ReleaseCapture();
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                ::ReleaseCapture();
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (!::IsWindow(hBar))
            return;
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();
}
