// The modal drag of a group or floating frame: a preview follows the pointer
// (an inverted outline on the desktop, or translucent windows), docking
// guides show where the node can dock, the frame is asked before each place
// is offered, and the drop docks the node at a side, adds it as tabs or
// floats it. Esc, a lost capture or a quit leave everything as it was; the
// desktop lock and the capture never outlive the drag.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "Framework.h"

class CDockingGuideWnd;
class CDockingHighlightWnd;
class CDockingHostWnd;
class CDockingNode;

class CDockingDragTracker
{
public:
    explicit CDockingDragTracker(CDockingHostWnd* pHost);
    virtual ~CDockingDragTracker();
    CDockingDragTracker(const CDockingDragTracker&) = delete;
    CDockingDragTracker& operator=(const CDockingDragTracker&) = delete;

    virtual void BeginDrag(CDockingNode* pNode, int x, int y);
    virtual void TrackDrag();
    virtual void Move(int x, int y);
    virtual void InitFeedback();
    virtual void EndFeedback();
    virtual void DrawFeedback(BOOL bErase);
    virtual void FindTarget(int x, int y);

    BOOL TestDockSide(CRect rect, int x, int y, CDockingNode* pCandidate, BOOL bInside);
    BOOL CanDockAt(CDockingNode* pNode, int nSide);
    BOOL CanAttachTo(CDockingNode* pNode);
    BOOL UsesStyle9Guides() const;
    BOOL IsDragging() const { return m_pDragged != nullptr; }
    // What a test sees of the drag in progress.
    const std::vector<std::unique_ptr<CDockingGuideWnd>>& GetGuideWindows() const { return m_guides; }
    CDockingNode* GetTarget() const { return m_pTarget; }
    int GetSide() const { return m_nSide; }
    BOOL IsTabShape() const { return m_bTabShape; }
    const CRect& GetPreviewRect() const { return m_rectPreview; }
    // The inverted outline of a drag without layered feedback: a frame along
    // the inside of the rectangle, or a body with a tab below it. The
    // caller deletes the region.
    HRGN BuildOutlineRegion(const CRect& rect, BOOL bTab) const;

private:
    void PreviewDockRect(CRect* pRect, int nScreenSide, CDockingNode* pTarget);
    void UpdateGuides();
    void DestroyGuides();
    void CreateGuideWindow(const CRect& rect, int nFlags);
    void CreateLayeredWindow(CDockingHighlightWnd& wnd, const CRect& rect);
    std::vector<CDockingNode*> DraggedPanes() const;
    void Drop();

    CDockingHostWnd* m_pHost;
    std::unique_ptr<CDockingHighlightWnd> m_pPreviewWnd;
    std::unique_ptr<CDockingHighlightWnd> m_pTabWnd;
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    SetLayeredFn m_pSetLayered = nullptr;
    BOOL m_bGuides = FALSE;
    BOOL m_bLayered = FALSE;
    CRect m_rectGuide;
    CDockingNode* m_pGuideTarget = nullptr;
    CDockingNode* m_pShownGuideTarget = nullptr;
    BOOL m_bGuidesShown = FALSE;
    std::vector<std::unique_ptr<CDockingGuideWnd>> m_guides;
    CPoint m_ptLast;
    CPoint m_ptStart;
    BOOL m_bStarted = FALSE;
    CRect m_rectFloating;
    CDockingNode* m_pDragged = nullptr;
    CDockingNode* m_pTarget = nullptr;
    CRect m_rectPreview;
    BOOL m_bDrawnTabShape = FALSE;
    BOOL m_bTabShape = FALSE;
    BOOL m_bCanFloat = TRUE;
    CRect m_rectLast;
    std::map<int, HRGN> m_regionCache;
    int m_nSide = 0;
    HDC m_hDesktopDC = nullptr;
    BOOL m_bDesktopLocked = FALSE;
    HBRUSH m_hHalftone = nullptr;
};
