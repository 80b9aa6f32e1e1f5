// One docking guide shown during a drag: the centre guide with arrows for
// the four sides (and the tab piece in the middle) over the container under
// the pointer, or one outer arrow near an edge of the whole layout. Its
// shape is the window region of the drawn pieces; a piece the pointer
// touches is the place the drop goes.
#pragma once

#include "window/CWnd.h"

class CDockingDragTracker;

enum DockingGuideFlag
{
    kGuideLeft = 0x1,
    kGuideRight = 0x2,
    kGuideTop = 0x4,
    kGuideBottom = 0x8,
    kGuideTab = 0x10,
    kGuideCentre = 0x20,
};

// Where a piece goes in a guide window and where it comes from in its bitmap.
struct GuidePiece
{
    int x;
    int y;
    RECT source;
};

class CDockingGuideWnd : public CWnd
{
public:
    CDockingGuideWnd(CDockingDragTracker* pTracker, int nFlags) : m_nFlags(nFlags), m_pTracker(pTracker) {}

    // The piece bit under the screen point, or 0.
    int HitTest(CPoint screen);
    void DrawGuide(CDC* pDC);
    static void DrawGuidePiece(CDC* pDC, UINT nBitmap, int x, int y, const RECT& source);
    static CSize GetGuideSize(int nFlags, BOOL bStyle9);

    int GetFlags() const { return m_nFlags; }
    int m_nHighlighted = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    // Draws the piece of one bit; FALSE when the look has none for it.
    BOOL DrawPieceOf(CDC* pDC, int nBit, BOOL bHighlighted, BOOL bForHitTest);

    int m_nFlags;
    CDockingDragTracker* m_pTracker;
};
