// Moves a docked bar by its gripper: a modal capture loop that docks the bar
// into the side under the pointer as the pointer moves. Escape, a right
// click or a lost capture end it where the bar is; WM_QUIT ends it and is
// posted again for the application's own loop.
#pragma once

#include "window/CWnd.h"

class CKitCommandBar;
class CKitDockBar;

class CBarDragTracker
{
public:
    explicit CBarDragTracker(CKitCommandBar* pBar) : m_pBar(pBar) {}
    virtual ~CBarDragTracker() = default;
    CBarDragTracker(const CBarDragTracker&) = delete;
    CBarDragTracker& operator=(const CBarDragTracker&) = delete;

    virtual void StartDrag(CPoint ptScreen);

protected:
    virtual void TrackLoop();
    // The side whose docking zone holds the point: its dock bar widened
    // into the frame, so that an empty side can be reached.
    CKitDockBar* DockBarAt(CPoint ptScreen) const;
    void MoveTo(CPoint ptScreen);

private:
    CKitCommandBar* m_pBar;
    CPoint m_ptLast;
};
