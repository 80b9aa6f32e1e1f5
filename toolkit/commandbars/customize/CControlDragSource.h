// The drag of a control during customization: from a bar (moving it, or
// copying it with Ctrl held) or from the customize sheet's command list
// (always a copy). Bars that accept drops register themselves as targets
// while their window lives; the loop holds the mouse capture, hit-tests the
// targets under the pointer and lets the one under it show where the control
// would land.
#pragma once

#include "Framework.h"

#include <vector>

class CKitCommandBar;
class CKitCommandBars;
class CKitControl;

class CControlDragSource
{
public:
    // What a drag ended with.
    enum
    {
        kDropNowhere = 0,   // released away from every bar: the caller deletes the control
        kDropCopied = 1,
        kDropMoved = 2,
        kDropCancelled = 5,
    };

    explicit CControlDragSource(CKitCommandBars* pCommandBars);
    ~CControlDragSource();
    CControlDragSource(const CControlDragSource&) = delete;
    CControlDragSource& operator=(const CControlDragSource&) = delete;

    void AddTarget(CKitCommandBar* pBar);
    // Removes every occurrence.
    void RemoveTarget(CKitCommandBar* pBar);
    int GetTargetCount() const { return static_cast<int>(m_targets.size()); }
    // The window that holds the capture during a drag (null: the site).
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }

    // Runs the drag loop for the control; one of the results above.
    int DoDragDrop(CKitControl* pControl, BOOL bCopyOnly);

    // During a drag: the control, and whether a drop would copy it.
    CKitControl* GetDraggedControl() const { return m_pControl; }
    BOOL IsCopying() const { return m_bCopy || m_bCopyOnly; }
    BOOL IsDragging() const { return m_hWndCapture != nullptr; }

private:
    CKitCommandBar* HitTarget(CPoint ptScreen) const;
    void UpdateCursor();
    void OnMouseMove(CPoint ptScreen, WPARAM wParam);

    HWND m_hWndCapture = nullptr;
    CKitControl* m_pControl = nullptr;
    BOOL m_bCopy = FALSE;
    BOOL m_bCopyOnly = FALSE;
    BOOL m_bMoved = FALSE;
    CKitCommandBar* m_pTarget = nullptr;
    CWnd* m_pOwner = nullptr;
    CPoint m_ptStart;
    std::vector<CKitCommandBar*> m_targets;
    CKitCommandBars* m_pCommandBars;
    HCURSOR m_hCopyCursor = nullptr;
    HCURSOR m_hMoveCursor = nullptr;
    HCURSOR m_hNoDropCursor = nullptr;
};
