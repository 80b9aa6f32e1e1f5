// A tracking bar as the thread's mouse tracker sees it: while a toolbar, the
// menu bar or a popup tracks, a click outside every tracked bar ends their
// tracking (and so closes the menus), and a move outside a bar without an
// open popup clears its hot control.
#pragma once

#include "CPopupMouseTracker.h"

class CKitCommandBar;

class CBarTrackingLink : public CTrackedBar
{
public:
    explicit CBarTrackingLink(CKitCommandBar* pBar) : m_pBar(pBar) {}
    ~CBarTrackingLink() override { Track(FALSE); }
    CBarTrackingLink(const CBarTrackingLink&) = delete;
    CBarTrackingLink& operator=(const CBarTrackingLink&) = delete;

    // Joins (TRUE) or leaves the thread's mouse tracker.
    void Track(BOOL bTracking);

    HWND GetTrackedWindow() const override;
    // 1 inside the bar's window rectangle, -2 outside it.
    int HitTestWindow(POINT ptScreen) override;
    void OnTrackedMouseMove(UINT nFlags, CPoint ptClient) override;
    void EndTracking() override;
    void ClearHotControl() override;

private:
    CKitCommandBar* m_pBar;
    BOOL m_bTracked = FALSE;
};
