// The layout tree of one host: a top split that holds the frame's view (the
// client node) and the docked panes around it, the auto-hide strips of the
// four sides, every node in creation order, and one holder record per known
// pane. The arrangement owns its nodes: panes through their reference count,
// every other node directly. It can be stored and loaded as a property tree.
#pragma once

#include <map>
#include <vector>

#include "CDockingNode.h"
#include "core/StoredArrangement.h"

class CDockingPaneItem;
class CDockingSplitNode;
class CKitPropExchange;
class CArchive;

// Where a pane was held when it last floated, was docked, and last of all.
struct HolderRecord
{
    CDockingPaneItem* pPane = nullptr;
    CDockingNode* pFloatingHolder = nullptr;
    CDockingNode* pDockingHolder = nullptr;
    CDockingNode* pLastHolder = nullptr;
};

class CDockingArrangement : public CCmdTarget
{
public:
    explicit CDockingArrangement(CDockingHostWnd* pHost);
    ~CDockingArrangement() override;

    void Serialize(CArchive& ar) override;

    // Takes every node off the list, releasing panes and deleting the rest.
    // Windows the application attached to panes are left alone.
    void ClearAll();
    // A damaged or foreign store fails the load before any node is made.
    BOOL LoadTree(CKitPropExchange* pPX);
    void SaveTree(CKitPropExchange* pPX);
    BOOL ExchangeTree(CKitPropExchange* pPX);
    // Drops containers nobody needs and splits left empty or redundant.
    void CompactTree();
    HolderRecord* FindHolder(const CDockingPaneItem* pPane);
    int GetNodeSide(CDockingNode* pNode) const;
    void PlaceAll(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout);
    // The holders become the panes' current containers.
    void SyncHolders();
    // Auto-hiding: the node goes to the strip of its side, into the group
    // of panes docked in the same place when there is one.
    void AutoHideNode(CDockingNode* pNode);
    BOOL MergeIntoAutoHideGroup(CDockingNode* pStrip, CDockingNode* pNode);
    void MovePanesInto(CDockingNode* pContainer, const std::vector<CDockingNode*>& panes, int nMask);
    // Each strip that exists takes its band off the rectangle.
    void PlaceSideStrips(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pLayout);

    // Called by every node's construction.
    void AddNode(CDockingNode* pNode);
    // Takes a node off the list and frees it (a pane through its count).
    void DeleteNode(CDockingNode* pNode);
    // A pane known to the arrangement, with its holder record.
    HolderRecord& AddHolder(CDockingPaneItem* pPane);
    // While loading: the node of a stored number, or null.
    CDockingNode* GetLoadedNode(int nIndex) const;

    CDockingHostWnd* GetHost() const { return m_pHost; }
    CDockingSplitNode* GetTopContainer() const { return m_pTopContainer; }
    void SetTopContainer(CDockingSplitNode* pTop) { m_pTopContainer = pTop; }
    CDockingNode* GetClientNode() const { return m_pClient; }
    std::vector<HolderRecord>& GetHolderList() { return m_holders; }
    const std::vector<CDockingNode*>& GetNodeList() const { return m_nodes; }
    CDockingNode* GetSideStrip(int nSide) const;
    void SetSideStrip(int nSide, CDockingNode* pStrip);
    BOOL IsNotAttached() const { return m_bNotAttached; }
    void SetAttached() { m_bNotAttached = FALSE; }

    // The tree as it would be stored (compacted first), for checks and tests.
    kit::docking::StoredArrangement ToStored();

private:
    BOOL BuildFrom(const kit::docking::StoredArrangement& stored);

    CDockingSplitNode* m_pTopContainer = nullptr;
    CDockingNode* m_pClient = nullptr;
    std::vector<HolderRecord> m_holders;
    std::vector<CDockingNode*> m_nodes;
    CDockingNode* m_sideStrips[4] = {};
    BOOL m_bNotAttached = TRUE;
    CDockingHostWnd* m_pHost;
    std::map<int, CDockingNode*> m_loadedNodes;
};
