// The bar between two neighbours of a split node. Dragging it moves space
// from one neighbour to the other, within both neighbours' limits; the new
// docking sizes take effect at the frame's next layout.
#pragma once

#include "window/CWnd.h"

class CDockingHostWnd;
class CDockingNode;
class CDockingSplitNode;

class CDockingSplitBarWnd : public CWnd
{
public:
    CDockingSplitBarWnd() = default;
    ~CDockingSplitBarWnd() override;

    BOOL Create(CDockingSplitNode* pSplit, CDockingNode* pFirst, CDockingNode* pSecond);
    // The bar lies horizontally: its split stacks the neighbours vertically.
    BOOL IsHorizontalBar() const;
    // The range the bar's leading edge may be dragged in (screen) and the
    // union of the two neighbours; FALSE when no position is allowed.
    BOOL ComputeTrackLimits(CRect* pLimits, CRect* pUnion) const;
    // The neighbours' docking sizes for the bar at `rectBar` within `rectUnion`.
    void ApplyPosition(const CRect& rectBar, const CRect& rectUnion);
    CDockingHostWnd* GetHost() const { return m_pHost; }
    CDockingNode* GetFirstNeighbour() const { return m_pFirst; }
    CDockingNode* GetSecondNeighbour() const { return m_pSecond; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnLButtonDown(CPoint point);
    BOOL OnSetCursor();
    void TrackLive(CPoint ptScreen, CRect rectBar, const CRect& rectLimits, const CRect& rectUnion);

    CDockingSplitNode* m_pSplit = nullptr;
    CDockingNode* m_pFirst = nullptr;
    CDockingNode* m_pSecond = nullptr;
    HCURSOR m_hCursor = nullptr;
    CDockingHostWnd* m_pHost = nullptr;
};
