// The modal drag of a splitter: the tracker rectangle is drawn inverted on the
// desktop and follows the mouse along one axis within limits until the left
// button is released (TRUE) or Esc or a lost capture cancels (FALSE).
#pragma once

#include "Framework.h"

class CSplitterTracker
{
public:
    explicit CSplitterTracker(BOOL bSolidInvert = FALSE);

    // All rectangles and the start point are in screen coordinates. The
    // tracker rectangle holds its last drawn position on return.
    BOOL Track(CWnd* pWnd, const RECT& rcLimits, RECT& rcTracker, POINT ptStart, BOOL bHorz);

    // A second rectangle drawn beside the tracked one (empty by default).
    CRect m_rcSecond;

private:
    void DrawTrackerRect(const RECT& rect);

    CDC* m_pDC = nullptr;
    BOOL m_bSolidInvert;
};
