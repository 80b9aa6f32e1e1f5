// Panes grouped in one window: the selected pane's window is shown under a
// caption band with the pane's title and caption buttons, drawn by the
// host's drawing style. The window exists while the group holds panes.
#pragma once

#include "CDockingNode.h"
#include "window/CWnd.h"

class CDockingPaneItem;

class CKitDockingPaneTabbedContainer : public CWnd, public CDockingNode
{
public:
    explicit CKitDockingPaneTabbedContainer(CDockingArrangement* pArrangement);
    ~CKitDockingPaneTabbedContainer() override;

    virtual void SelectPane(CDockingPaneItem* pPane, BOOL bActivate, BOOL bDeferLayout);
    virtual BOOL IsCaptionVertical() const;
    virtual BOOL ShowsTabRow() const;
    virtual void OnCaptionButton(CDockingCaptionButton* pButton);

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

    void AddPane(CDockingPaneItem* pPane, BOOL bActivate);
    // The group's window, made once its arrangement is attached to a frame.
    BOOL CreateContainerWindow();
    void InitFromPane(CDockingPaneItem* pPane, CWnd* pSite);
    BOOL HasCaption() const;
    // -2 on the caption band, else -1 (no tab row is shown).
    int HitTest(CPoint point) const;
    CDockingPaneItem* GetPaneAt(int nIndex) const;
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    CDockingPaneItem* GetSelectedPane() const { return m_pSelected; }
    CString GetTitle() const;
    void Activate();
    BOOL IsActive() const { return m_bActive; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    void OnPaint();
    void OnLButtonDown(CPoint point);
    void OnRButtonDown(CPoint point);
    void OnMouseMove(CPoint point);
    BOOL OnMenuButton(CDockingCaptionButton* pButton);
    void ClosePane(CDockingPaneItem* pPane);

    BOOL m_bMaximized = FALSE;
    BOOL m_bActive = FALSE;
    BOOL m_bCaption = TRUE;
    int m_nLayoutDepth = 0;
    CDockingPaneItem* m_pSelected = nullptr;
    std::vector<CDockingPaneItem*> m_panes;
};

CKitDockingPaneTabbedContainer* AsTabbedContainer(CDockingNode* pNode);
