#include "CBarTrackingLink.h"

#include "CKitCommandBar.h"

void CBarTrackingLink::Track(BOOL bTracking)
{
    if (bTracking == m_bTracked)
        return;
    m_bTracked = bTracking;
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    if (bTracking)
        pTracker->AddTrackedPopup(this);
    else
        pTracker->RemoveTrackedPopup(this);
}

HWND CBarTrackingLink::GetTrackedWindow() const
{
    return m_pBar->m_hWnd;
}

int CBarTrackingLink::HitTestWindow(POINT ptScreen)
{
    CRect rc;
    if (!::IsWindow(m_pBar->m_hWnd))
        return -2;
    m_pBar->GetWindowRect(&rc);
    return rc.PtInRect(ptScreen) ? 1 : -2;
}

void CBarTrackingLink::OnTrackedMouseMove(UINT, CPoint ptClient)
{
    if (!::IsWindow(m_pBar->m_hWnd))
        return;
    CRect rc;
    m_pBar->GetClientRect(&rc);
    CKitControl* pHot = m_pBar->GetHotControl();
    // A bar with an open popup keeps its opener hot, and so does a keyboard choice.
    if (!rc.PtInRect(ptClient) && m_pBar->GetPopupedIndex() < 0 && pHot != nullptr &&
        pHot->GetSelected() != kSelectedByKeyboard)
        m_pBar->SetSelected(-1, FALSE);
}

void CBarTrackingLink::EndTracking()
{
    m_pBar->EndTracking();
    // A bar whose tracking already ended still leaves the tracker.
    Track(FALSE);
}

void CBarTrackingLink::ClearHotControl()
{
    m_pBar->ClearHotControl();
}
