// The auto-hide strip of one frame side: a thin band along the edge of the
// frame's client area that shows the panes of auto-hidden groups as tabs.
// Pointing at a tab or clicking it slides the group out in an auto-hide
// window next to the band; the strip takes room only while one of its
// groups holds a pane.
#pragma once

#include <memory>
#include <vector>

#include "CDockingNode.h"
#include "CTabStrip.h"
#include "window/CWnd.h"

class CDockingPaneItem;
class CDockingSideStrip;
class CKitDockingPaneAutoHideWnd;
class CKitDockingPaneTabbedContainer;
class CSideStripDropTarget;

// The tabs of one auto-hidden group; they face the frame's client area.
class CSideStripTabGroup : public CTabStrip
{
public:
    explicit CSideStripTabGroup(CDockingSideStrip* pStrip);
    void Relayout() override {}
    CTabStripDrawer* GetDrawer() const override;
    void RedrawOwner() override;
    int GetPosition() const override;
    BOOL DrawItemIcon(CDC* pDC, CPoint point, CKitTabManagerItem* pItem, BOOL bDraw, SIZE* pSize) override;
    CWnd* GetOwnerWindow() const override;

    CRect m_rect;  // in the strip window

private:
    CDockingSideStrip* m_pStrip;
};

class CDockingSideStrip : public CWnd, public CDockingNode
{
public:
    explicit CDockingSideStrip(CDockingArrangement* pArrangement);
    ~CDockingSideStrip() override;

    // Takes the band off `pRect` (the frame's layout rectangle) and moves the
    // window there; an empty strip destroys its window and takes nothing.
    virtual void PlaceStrip(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pLayout);
    virtual void AddContainer(CDockingNode* pContainer);
    virtual BOOL CreateStripWindow(CWnd* pParent);

    // Node.
    void RefreshNode(BOOL bShowPanes) override;
    void OnChildrenChanged(CDockingNode* pChild) override;
    void RemoveChildNode(CDockingNode* pChild) override;
    BOOL IsEmptyNode() const override;
    void StoreNodeProperties(kit::docking::StoredNode& stored) const override;
    BOOL LoadNodeProperties(const kit::docking::StoredNode& stored) override;
    HWND GetNodeWindow() const override { return m_hWnd; }
    BOOL IsAutoHidden() const override { return FALSE; }
    BOOL ContainsNode(const CDockingNode* pNode) const override;
    void CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes) override;

    int GetThickness();
    void LayoutGroups(CDC* pDC, CRect rect);
    // The pane of the tab under the point (strip coordinates), or null.
    CDockingPaneItem* HitTest(int x, int y) const;
    // Slides the window that is out back in; deferred hides the group at
    // once and closes the window a moment later (the caller may be inside
    // one of its messages).
    void CollapseAutoHideWindow(BOOL bDeferred);
    void SlideOut(CDockingPaneItem* pPane, BOOL bActivate);
    // An OLE drag over the strip (strip coordinates): over a tab whose pane
    // is not the one out, that pane slides out without the focus.
    void SlideOutForDrag(CPoint point);
    BOOL IsDropTargetRegistered() const;

    int GetDirection() const { return m_nDirection; }
    void SetDirection(int nDirection) { m_nDirection = nDirection; }
    CKitDockingPaneAutoHideWnd* GetAutoHideWnd() const { return m_pAutoHideWnd; }
    void ForgetAutoHideWnd(CKitDockingPaneAutoHideWnd* pWnd);
    const std::vector<CDockingNode*>& GetContainers() const { return m_containers; }
    const std::vector<std::unique_ptr<CSideStripTabGroup>>& GetGroups() const { return m_groups; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    void OnPaint();
    void OnMouseMove(CPoint point);
    void OnMouseHover(CPoint point);
    void OnLButtonDown(CPoint point);
    void OnRButtonDown(CPoint point);
    // The pane shown selected in the window that is out, or null.
    CDockingPaneItem* GetShownPane() const;
    void RebuildGroups();

    CKitDockingPaneAutoHideWnd* m_pAutoHideWnd = nullptr;
    int m_nDirection = 0;
    std::vector<CDockingNode*> m_containers;
    std::vector<std::unique_ptr<CSideStripTabGroup>> m_groups;
    std::unique_ptr<CSideStripDropTarget> m_pDropTarget;
};

CDockingSideStrip* AsSideStrip(CDockingNode* pNode);
