// One tab group of the MDI tab workspace: a tab strip with a tab for each
// MDI child it holds, its size along the workspace's orientation and the
// splitter after it. With grouping the workspace draws the strip and passes
// the mouse to it; the group's own window (a hidden child of the frame) is
// only shown as the workspace's tab row when grouping is off.
#pragma once

#include "CTabStrip.h"

class CKitTabClientWnd;

class CTabClientGroup : public CWnd, public CTabStrip
{
public:
    explicit CTabClientGroup(CKitTabClientWnd* pWorkspace);
    ~CTabClientGroup() override;

    // The tab whose attached window is hWnd, or null.
    CKitTabManagerItem* FindItemByWindow(HWND hWnd) const;

    void Relayout() override;
    CTabStripDrawer* GetDrawer() const override;
    void RedrawOwner() override;
    BOOL DrawItemIcon(CDC* pDC, CPoint point, CKitTabManagerItem* pItem, BOOL bDraw, SIZE* pSize) override;
    // A click on a tab activates its child.
    void OnItemClick(CKitTabManagerItem* pItem) override;
    // A tab dragged within the row takes the places it passes; released over
    // another group it moves there.
    void TrackReorder(CWnd* pWnd, int x, int y, CKitTabManagerItem* pItem) override;
    CWnd* GetOwnerWindow() const override;

    CKitTabClientWnd* m_pWorkspace;
    // Pixels along the workspace's orientation; a double so that repeated
    // splitter moves keep the proportions.
    double m_dSize = 0;
    // The splitter after this group, in workspace client coordinates; empty
    // for the last group.
    CRect m_rectSplitter;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
