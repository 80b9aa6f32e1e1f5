// The window an auto-hidden group slides out in: a child of the frame that
// overlaps the view next to the side strip, grows from the strip in a few
// timer steps, and slides back and closes by itself once the mouse has left
// it and the strip for a while and the group does not hold the focus. Its
// inner edge can be dragged to change the pane's docking size.
#pragma once

#include "window/CMiniFrameWnd.h"

class CDockingHostWnd;
class CDockingSideStrip;
class CKitDockingPaneTabbedContainer;

class CKitDockingPaneAutoHideWnd : public CMiniFrameWnd
{
public:
    CKitDockingPaneAutoHideWnd(CDockingSideStrip* pStrip, CKitDockingPaneTabbedContainer* pContainer);
    // A new window sliding out with the group; it deletes itself once
    // closed. Null when the window cannot be made (the object is gone then).
    static CKitDockingPaneAutoHideWnd* Open(CDockingSideStrip* pStrip, CKitDockingPaneTabbedContainer* pContainer);

    void RecalcLayout(BOOL bNotify = TRUE) override;

    void ApplySlideStep();
    // Hides the window, gives the group back to the frame and closes.
    void Dismiss();
    // The range the bar may be dragged in and the bar itself, both on the screen.
    BOOL GetResizeBounds(CRect* pBounds, CRect* pBar) const;
    void ApplyResize(const CRect& bar, const CRect& client);
    CDockingHostWnd* GetHost() const;
    void GetTrackLimits(MINMAXINFO* pInfo, BOOL bAddBar) const;

    CKitDockingPaneTabbedContainer* GetContainer() const { return m_pContainer; }
    void ForgetContainer() { m_pContainer = nullptr; }
    void ForgetStrip() { m_pStrip = nullptr; }
    int GetStep() const { return m_nStep; }
    int GetSteps() const { return m_nSteps; }
    BOOL IsClosing() const { return m_bClosing; }
    // The fully slid-out rectangle in the frame's client coordinates.
    const CRect& GetFinalRect() const { return m_rectFinal; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    BOOL CreateSlideWindow();
    BOOL IsContainerActive() const;
    void OnTimer(UINT_PTR nId);
    void OnPaint();
    void OnLButtonDown(CPoint point);
    void PollLeave();
    void ResizeLive(const CRect& bounds, CRect bar);
    int MirroredSide() const;

    CKitDockingPaneTabbedContainer* m_pContainer;
    CDockingSideStrip* m_pStrip;
    int m_nSide;
    BOOL m_bVerticalSlide;
    int m_nStep = 0;
    int m_nSteps = 1;
    BOOL m_bClosing = FALSE;
    CRect m_rectFinal;
    int m_nLeaveCountdown = 6;
    BOOL m_bResizing = FALSE;
};
