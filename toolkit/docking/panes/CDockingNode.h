// Every object of a docking layout tree is a node: a pane, a tabbed group, a
// split of children side by side, a floating window, the frame's view area
// and the auto-hide strip of one side. A node knows its place in the tree and
// the frame that shows it; the operations below are what the plain node
// does, and the kinds that hold children or windows refine them.
#pragma once

#include <memory>
#include <vector>

#include "Framework.h"

class CDockingArrangement;
class CDockingCaptionButton;
class CDockingHostWnd;
class CDockingPaneDrawer;

namespace kit::docking {
struct StoredNode;
}

// Sides of the frame, in the order the layout walks them.
enum DockingSide
{
    kSideLeft = 0,
    kSideRight = 1,
    kSideTop = 2,
    kSideBottom = 3,
};

class CDockingNode
{
public:
    CDockingNode(CDockingArrangement* pArrangement, int nType);
    virtual ~CDockingNode();
    CDockingNode(const CDockingNode&) = delete;
    CDockingNode& operator=(const CDockingNode&) = delete;

    // Invalidates the node's own window, without erasing, when it has one.
    virtual void InvalidateNode();
    // This node, or one below it for the kinds that hold children.
    virtual BOOL ContainsNode(const CDockingNode* pNode) const { return pNode == this; }
    // Appends the nodes of the type: this one, or for holders their children's.
    virtual void CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes);
    virtual void GetTrackLimits(MINMAXINFO* pInfo);
    // Takes the rectangle and hands it on to the frame's layout record.
    virtual void PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout);
    virtual void OnIdleUpdate() {}
    virtual void SetSiteWindow(CWnd* pSite) { m_pSite = pSite; }
    virtual void SetParentNode(CDockingNode* pParent) { m_pParent = pParent; }
    virtual void OnChildrenChanged(CDockingNode* /*pChild*/) {}
    virtual void RefreshNode(BOOL bShowPanes);
    virtual void OnAttachedToParent(CDockingNode* /*pParent*/) {}
    // The node's keys in the stored tree; `index` gives a node's stored number.
    virtual void StoreNodeProperties(kit::docking::StoredNode& stored) const;
    // Reads the keys back; children are resolved through the arrangement's
    // index map. FALSE fails the load.
    virtual BOOL LoadNodeProperties(const kit::docking::StoredNode& stored);
    virtual void RemoveChildNode(CDockingNode* /*pChild*/) {}
    // Only the view area can be empty: while the host hides it.
    virtual BOOL IsEmptyNode() const;
    virtual void OnCaptionButtonRectChanged(CDockingCaptionButton* /*pButton*/) {}
    virtual BOOL IsCaptionButtonVisible(CDockingCaptionButton* /*pButton*/) const { return TRUE; }
    virtual HWND GetNodeWindow() const { return nullptr; }
    virtual BOOL IsAutoHidden() const { return FALSE; }

    CDockingHostWnd* GetHost() const;
    CDockingPaneDrawer* GetDrawer() const;
    CRect GetScreenRect() const;
    CDockingCaptionButton* FindCaptionButton(int nId) const;
    // In placing order: close, maximize, restore, auto hide, menu.
    std::vector<CDockingCaptionButton*> GetCaptionButtons() const;
    // Marks the frame that shows the node for a layout at the next idle pass.
    void MarkSiteForLayout() const;

    int GetType() const { return m_nType; }
    CDockingNode* GetParentNode() const { return m_pParent; }
    CWnd* GetSiteWindow() const { return m_pSite; }
    CDockingArrangement* GetArrangement() const { return m_pArrangement; }
    const CRect& GetRect() const { return m_rect; }
    void SetNodeRect(const CRect& rect) { m_rect = rect; }

    int m_nDockingCX = 0;
    int m_nDockingCY = 0;

protected:
    CDockingArrangement* m_pArrangement;
    CDockingNode* m_pParent = nullptr;
    CWnd* m_pSite = nullptr;
    int m_nType;
    CRect m_rect;
    std::vector<std::unique_ptr<CDockingCaptionButton>> m_captionButtons;

public:
    // Written by a split's layout: a weight above 0, or a fixed extent negated.
    int m_nLayoutShare = 0;
    // 1-based number of the node in the stored tree; 0 until stored or loaded.
    int m_nIndex = 0;
};

// The frame's view area inside the top split; it receives what the docked
// panes leave and gives it to the frame's layout record.
class CDockingClientNode : public CDockingNode
{
public:
    explicit CDockingClientNode(CDockingArrangement* pArrangement);
};

// Marks a frame for a delayed layout (a frame window), or lays a plain site
// window out again by the size it has.
void MarkFrameForLayout(CWnd* pFrame);
