// Moves a bar by its gripper or resizes a floating one, in a modal capture
// loop: while dragging, the bar docks into the side under the pointer (a
// dock bar's window grown by 20 pixels) or, away from every side, floats
// with the pointer. Escape, a right click or a lost capture end it where the
// bar is; WM_QUIT ends it and is posted again for the application's loop.
// A toolbar keeps its tracker, which remembers where the bar was docked so
// that it can go back there.
#pragma once

#include "window/CWnd.h"

class CKitCommandBar;
class CKitDockBar;

// Moves the rectangle by the least offset that brings the point inside.
void EnsureRectContainsPoint(CRect& rc, CPoint pt);

class CBarDragTracker
{
public:
    explicit CBarDragTracker(CKitCommandBar* pBar) : m_pBar(pBar) {}
    virtual ~CBarDragTracker() = default;
    CBarDragTracker(const CBarDragTracker&) = delete;
    CBarDragTracker& operator=(const CBarDragTracker&) = delete;

    virtual void StartDrag(CPoint ptScreen);
    // nHitCode: HTLEFT, HTRIGHT, HTTOP or HTBOTTOM of a floating bar.
    virtual void StartResize(int nHitCode, CPoint ptScreen);
    // A floating bar goes back to where it was docked; a docked one floats
    // when the settings let a double click float it. TRUE when it moved.
    virtual BOOL ToggleDocking();

    int m_nDockPosition = 0;  // the side the bar was last laid out in
    CRect m_rcDock;           // its drop rectangle in that dock bar's client coordinates
    CPoint m_ptFloat;         // the floating bar's last top-left corner

protected:
    virtual void TrackLoop();
    void MoveTo(CPoint ptScreen);
    void ResizeTo(CPoint ptScreen);
    // Floats the bar at the float rectangle's corner, sized as it floats.
    void FloatAtFloatRect(CPoint ptScreen);

private:
    CKitCommandBar* m_pBar;
    int m_nMode = 0;  // 1 dragging, else the hit code of the edge being resized
    CPoint m_ptLast;
    CRect m_rcDrag;
    CRect m_rcFloat;
};
