// Children side by side, left to right or top to bottom, with a splitter bar
// between every two visible neighbours. The top of every docked layout is a
// split node; the one that holds the view's child gives the view what the
// panes leave.
#pragma once

#include "CDockingNode.h"
#include "core/SplitLayout.h"

class CDockingSplitBarWnd;

class CDockingSplitNode : public CDockingNode
{
public:
    explicit CDockingSplitNode(CDockingArrangement* pArrangement);
    ~CDockingSplitNode() override;

    BOOL ContainsNode(const CDockingNode* pNode) const override;
    void CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes) override;
    void GetTrackLimits(MINMAXINFO* pInfo) override;
    void PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout) override;
    void OnChildrenChanged(CDockingNode* pChild) override;
    void OnAttachedToParent(CDockingNode* pParent) override;
    void StoreNodeProperties(kit::docking::StoredNode& stored) const override;
    BOOL LoadNodeProperties(const kit::docking::StoredNode& stored) override;
    void RemoveChildNode(CDockingNode* pChild) override;
    BOOL IsEmptyNode() const override;
    // A new bar object; its window is made by the caller.
    virtual std::unique_ptr<CDockingSplitBarWnd> CreateSplitBar();

    void InitSplit(CDockingNode* pFirstChild, BOOL bHorizontal, CWnd* pSite);
    // After the reference (or at the end), or before it (or at the start).
    void InsertChild(CDockingNode* pNode, CDockingNode* pReference, BOOL bAfter);
    void ReplaceChild(CDockingNode* pOldChild, CDockingNode* pNewNode);
    void CollectChildrenOfType(int nType, std::vector<CDockingNode*>& nodes) const;
    // The position of the child through which the node is reached, or -1.
    int FindChildHolding(const CDockingNode* pNode) const;
    BOOL IsBefore(const CDockingNode* pChild, int nPosition) const;
    // The docking sizes along the axis become what is on screen.
    void StoreCurrentSizes();
    // Screen rectangles the node would take beside the target child, or
    // wrapped together with the target.
    void ComputeInsertRect(CRect* pRect, CDockingNode* pNode, int nSide, CDockingNode* pTarget);
    void ComputeWrapRect(CRect* pRect, CDockingNode* pTarget, CDockingNode* pNode, int nSide);

    BOOL IsHorizontal() const { return m_bHorizontal; }
    const std::vector<CDockingNode*>& GetChildren() const { return m_children; }
    size_t GetSplitBarCount() const { return m_splitBars.size(); }
    CDockingSplitBarWnd* GetSplitBar(size_t nBar) const;

    // New bars between the visible children (none while the layout runs).
    void RebuildSplitBars();

private:
    int SplitterThickness() const;
    std::vector<CDockingNode*> VisibleChildren() const;
    // The shares of the children along the axis of `rect`.
    kit::docking::SplitShares ComputeChildSizes(const std::vector<CDockingNode*>& children, const CRect& rect,
                                                BOOL bHorizontal, BOOL bResetClient) const;
    CRect ComputeChildRect(BOOL bHorizontal, const std::vector<CDockingNode*>& children, const CRect& rect,
                           const CDockingNode* pChild) const;

    std::vector<CDockingNode*> m_children;  // owned by the arrangement
    std::vector<std::unique_ptr<CDockingSplitBarWnd>> m_splitBars;
    BOOL m_bHorizontal = FALSE;
    BOOL m_bInLayout = FALSE;
};

CDockingSplitNode* AsSplitNode(CDockingNode* pNode);
