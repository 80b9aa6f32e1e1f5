// Panes grouped in one window: the selected pane's window is shown under a
// caption band with the pane's title and caption buttons, drawn by the
// host's drawing style. The window exists while the group holds panes.
#pragma once

#include <memory>

#include "CDockingNode.h"
#include "CTabStrip.h"
#include "window/CWnd.h"

class CDockingPaneItem;
class CTabbedContainerDropTarget;

class CKitDockingPaneTabbedContainer;

// The group's tab row: one tab per pane; a click selects the tab's pane.
class CContainerTabStrip : public CTabStrip
{
public:
    explicit CContainerTabStrip(CKitDockingPaneTabbedContainer* pContainer) : m_pContainer(pContainer) {}
    void Relayout() override;
    CTabStripDrawer* GetDrawer() const override;
    void RedrawOwner() override;
    BOOL DrawItemIcon(CDC* pDC, CPoint point, CKitTabManagerItem* pItem, BOOL bDraw, SIZE* pSize) override;
    void OnItemClick(CKitTabManagerItem* pItem) override;
    CWnd* GetOwnerWindow() const override;

private:
    CKitDockingPaneTabbedContainer* m_pContainer;
};

class CKitDockingPaneTabbedContainer : public CWnd, public CDockingNode
{
    friend class CContainerTabStrip;

public:
    explicit CKitDockingPaneTabbedContainer(CDockingArrangement* pArrangement);
    ~CKitDockingPaneTabbedContainer() override;

    virtual void SelectPane(CDockingPaneItem* pPane, BOOL bActivate, BOOL bDeferLayout);
    virtual BOOL IsCaptionVertical() const;
    virtual BOOL ShowsTabRow() const;
    virtual void OnCaptionButton(CDockingCaptionButton* pButton);
    // The pin: a docked group goes to its side strip, an auto-hidden one
    // docks where it was.
    void OnAutoHideButton();
    // The current extent across the side the group is docked at becomes the
    // docking size of the group and its panes.
    void StoreDockingSize();

    // Node.
    BOOL ContainsNode(const CDockingNode* pNode) const override;
    void CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes) override;
    void GetTrackLimits(MINMAXINFO* pInfo) override;
    void PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout) override;
    void OnIdleUpdate() override;
    void SetSiteWindow(CWnd* pSite) override;
    void RefreshNode(BOOL bShowPanes) override;
    void OnAttachedToParent(CDockingNode* pParent) override;
    void StoreNodeProperties(kit::docking::StoredNode& stored) const override;
    BOOL LoadNodeProperties(const kit::docking::StoredNode& stored) override;
    void RemoveChildNode(CDockingNode* pChild) override;
    BOOL IsEmptyNode() const override { return m_panes.empty(); }
    BOOL IsCaptionButtonVisible(CDockingCaptionButton* pButton) const override;
    HWND GetNodeWindow() const override { return m_hWnd; }
    BOOL IsAutoHidden() const override;

    virtual void UpdateTabs();
    CTabStrip* GetTabStrip() { return &m_tabStrip; }

    void AddPane(CDockingPaneItem* pPane, BOOL bActivate);
    // The group's window, made once its arrangement is attached to a frame.
    BOOL CreateContainerWindow();
    void InitFromPane(CDockingPaneItem* pPane, CWnd* pSite);
    BOOL HasCaption() const;
    // A lone group in a floating frame leaves its caption to the frame.
    void ShowCaption(BOOL bShow);
    // Over the caption band or the tab row; `pRect` loses both.
    BOOL IsInDropArea(CRect* pRect, int x, int y) const;
    // A docking drag of the whole group, while the button is still down.
    void StartDrag(CPoint screen);
    // -2 on the caption band, the index of the tab under the point, else -1.
    int HitTest(CPoint point) const;
    CDockingPaneItem* GetPaneAt(int nIndex) const;
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    CDockingPaneItem* GetSelectedPane() const { return m_pSelected; }
    CString GetTitle() const;
    void Activate();
    BOOL IsActive() const { return m_bActive; }
    // One group of a split takes the split's room; its tabbed neighbours
    // shrink to their caption and tab row until it is restored.
    void Maximize();
    void Restore();
    BOOL CanMaximize() const;
    BOOL CanRestore() const;
    BOOL IsMaximized() const { return m_bMaximized; }
    // The pane whose tab is held down, while the tab is dragged.
    CDockingPaneItem* GetDraggedPane() const { return m_pDragged; }
    BOOL IsDropTargetRegistered() const;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    void OnPaint();
    void OnLButtonDown(CPoint point);
    void OnRButtonDown(CPoint point);
    // The help context of the pane under the point (else the selected one).
    LRESULT OnHelpHitTest(CPoint point) const;
    // FALSE when the move swapped tabs or tore the pane off.
    BOOL OnMouseMove(CPoint point);
    void OnKeyDown(UINT nKey);
    void EndTabDrag();
    BOOL IsMaximizable() const;
    void RelayoutSite();
    BOOL OnMenuButton(CDockingCaptionButton* pButton);
    void ClosePane(CDockingPaneItem* pPane);

    BOOL m_bMaximized = FALSE;
    BOOL m_bActive = FALSE;
    BOOL m_bCaption = TRUE;
    int m_nLayoutDepth = 0;
    CDockingPaneItem* m_pSelected = nullptr;
    CDockingPaneItem* m_pDragged = nullptr;
    // Where the tabs were when the drag began: a tab moves when the pointer
    // reaches another tab's old place, so it does not flip back and forth.
    std::vector<CRect> m_savedTabRects;
    std::vector<CDockingPaneItem*> m_panes;
    CContainerTabStrip m_tabStrip{this};
    std::unique_ptr<CTabbedContainerDropTarget> m_pDropTarget;
};

CKitDockingPaneTabbedContainer* AsTabbedContainer(CDockingNode* pNode);
