// The docking-pane host of one frame: a hidden child window that takes part
// in the frame's layout, so that docked panes take their room around the
// view and the view keeps the rest. It owns the arrangement (the layout
// tree), the drawing style every docking window paints with, and reports to
// the frame by WM_DOCKINGPANE_EVENT.
#pragma once

#include <memory>
#include <vector>

#include "CDockingArrangement.h"
#include "window/CWnd.h"

class CCommandIcon;
class CCommandIconStore;
class CDockingPaneDrawer;
class CDockingPaneItem;
class CDockingDragTracker;
class CDockingSplitBarWnd;
class CScreenTipContext;

// Sent to the frame; wParam is the event code.
constexpr UINT WM_DOCKINGPANE_EVENT = 0x2AAD;

enum DockingEventCode
{
    kDockingEventShowPane = 1,
    kDockingEventRightClick = 2,
    kDockingEventClosePane = 3,
    kDockingEventAction = 4,
    kDockingEventCaptionMenu = 5,
};

enum DockingAction
{
    kActionFloating = 0,
    kActionFloated = 1,
    kActionClosing = 2,
    kActionClosed = 3,
    kActionDocking = 4,
    kActionDocked = 5,
    kActionAttaching = 6,
    kActionAttached = 7,
    kActionAutoHiding = 8,
    kActionAutoHidden = 9,
    kActionSlidingIn = 10,
    kActionSlidIn = 11,
    kActionSlidingOut = 12,
    kActionSlidOut = 13,
    kActionActivated = 14,
    kActionDeactivated = 15,
    kActionTabDragging = 16,
};

// lParam of event 4: the frame sets `cancel` to veto what is about to happen.
struct DockingActionRecord
{
    int32_t action = 0;
    int32_t cancel = 0;
    CDockingPaneItem* pPane = nullptr;
    CDockingNode* pTarget = nullptr;
    int32_t extra = 0;
};

class CDockingHostWnd : public CWnd
{
public:
    CDockingHostWnd();
    ~CDockingHostWnd() override;

    virtual CDockingArrangement* CreateArrangement();
    // A new node of the type registered in the arrangement; null for a type
    // this host does not build.
    virtual CDockingNode* CreateDockingNode(int nType, CDockingArrangement* pArrangement);
    virtual void MarkPaneActive(BOOL bActive, CDockingPaneItem* pPane);

    // Makes the hidden host window under the frame and the arrangement; a
    // second call does nothing.
    BOOL AttachToFrame(CWnd* pFrame);
    // Numbers outside 0-9 select style 0.
    void SelectDrawingStyle(int nStyle);
    // Null without an arrangement or a pane of that id.
    CDockingPaneItem* LookupPaneById(int nId) const;
    // Asks the frame, then takes the pane out of its container; null does
    // nothing. The pane stays known and can be shown again.
    void DismissPane(CDockingPaneItem* pPane);
    void ShowPane(CDockingPaneItem* pPane, BOOL bActivate);
    // Sends action `nAction` to the frame; answers the frame's veto.
    BOOL NotifyAction(int nAction, CDockingPaneItem* pPane, CDockingNode* pTarget, int nExtra);

    // A new pane shown in the application's window, docked at a side of the
    // target (of the frame when null). It is known to the arrangement at
    // once, so it can be looked up, closed and shown again.
    CDockingPaneItem* CreatePane(int nId, LPCTSTR pszTitle, HWND hWndAttached, int nSide,
                                 CDockingNode* pTarget = nullptr, CSize sizeDocking = CSize(200, 120));
    void InsertPaneAtSide(CDockingNode* pNode, int nSide, CDockingNode* pTarget);
    void InsertNodeAtSide(CDockingNode* pNode, int nSide, CDockingNode* pTarget);
    // The pane, or every pane below the node, joins the target's group as tabs.
    void AttachNode(CDockingNode* pNode, CDockingNode* pTarget);
    void ComputeDockRect(CRect* pRect, CDockingNode* pNode, int nSide, CDockingNode* pTarget);
    // The node floats in a frame of its own over the screen rectangle; a
    // group or split leaves its emptied self behind as the panes' holder.
    void FloatNode(CDockingNode* pNode, const CRect& rect);
    // Floating panes go back to where they were docked, docked ones float.
    void ToggleDockedFloating(CDockingNode* pNode);
    // A docked node goes to the auto-hide strip of its side; for a node on a
    // strip the window slid out from it goes back in.
    void ToggleAutoHide(CDockingNode* pNode);
    BOOL MovePaneToHolder(CDockingPaneItem* pPane, CDockingNode* pHolder);
    // A group of its own holding every pane below the node.
    CDockingNode* CloneForMove(CDockingNode* pNode);
    CDockingDragTracker* GetDragTracker() const { return m_pDragTracker.get(); }
    CScreenTipContext* GetTipContext() const { return m_pTipContext; }

    // Stores the current arrangement; loads one in its place (a damaged
    // store gives the view alone and FALSE). Panes loaded come without
    // windows: the application attaches them after looking them up.
    void StoreArrangement(CKitPropExchange* pPX);
    BOOL LoadArrangement(CKitPropExchange* pPX);

    CDockingSplitNode* GetTopContainer() const;
    CDockingNode* GetClientNode() const;
    CDockingArrangement* GetArrangement() const { return m_pArrangement; }
    CDockingNode* GetHolder(CDockingNode* pNode, BOOL bFloating) const;
    CCommandIcon* GetIcon(int nId, int nWidth) const;
    int GetNodeSide(CDockingNode* pNode) const;
    BOOL IsLayoutRtl() const;
    int MirrorSide(int nSide) const;
    BOOL IsPaneAutoHidden(CDockingPaneItem* pPane) const;
    CDockingPaneDrawer* GetDrawer() const { return m_pDrawer; }
    CWnd* GetSiteFrame() const { return m_pSiteFrame; }
    CDockingPaneItem* GetActivePane() const { return m_pActivePane; }
    BOOL IsLaidOut() const { return m_bLaidOut; }
    // Marks every frame that holds panes for a delayed layout.
    void RecalcAllFrames();
    void IdleUpdatePanes();

    // The structure serial moves on every structural change; a modal loop
    // over the structure compares it before it acts on what it dropped.
    class CTrackingScope
    {
    public:
        explicit CTrackingScope(CDockingHostWnd* pHost);
        ~CTrackingScope();
        CTrackingScope(const CTrackingScope&) = delete;
        CTrackingScope& operator=(const CTrackingScope&) = delete;
        BOOL StructureChanged() const;

    private:
        CDockingHostWnd* m_pHost;
        unsigned m_nSerial;
        CTrackingScope* m_pOuter;
    };
    CTrackingScope* GetTrackingScope() const { return m_pTrackingScope; }
    void OnStructureChanged() { ++m_nStructureSerial; }
    // Bars whose split changed go away; while a loop runs they wait for its end.
    void RetireSplitBar(std::unique_ptr<CDockingSplitBarWnd> pBar);
    // Drops the host's reference when the pane is the active one.
    void ReleaseActivePane(CDockingPaneItem* pPane);

    int m_nMinPaneExtent = 22;
    BOOL m_bCloseWholeGroup = FALSE;
    BOOL m_bContainerAutoHide = TRUE;
    BOOL m_bHideClient = FALSE;
    BOOL m_bTrackerResize = TRUE;
    BOOL m_bMaximizeButtons = FALSE;
    BOOL m_bLocked = FALSE;
    BOOL m_bLayeredFeedback = FALSE;
    BOOL m_bGuides = FALSE;
    BOOL m_bThemedFloatingFrames = FALSE;
    BOOL m_bSyncActivation = TRUE;
    int m_nSharedOptions = 0;
    int m_nCaptionOrientation = 0;
    CString m_strFloatingCaption;
    BOOL m_bStyle9Guides = FALSE;
    BOOL m_bMovingPane = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout);
    void OnSysColorChange();
    void OnSettingChange();

private:
    CWnd* m_pSiteFrame = nullptr;
    CDockingArrangement* m_pArrangement = nullptr;
    CDockingPaneDrawer* m_pDrawer = nullptr;
    CDockingPaneItem* m_pActivePane = nullptr;
    CCommandIconStore* m_pIconStore = nullptr;
    CScreenTipContext* m_pTipContext = nullptr;
    BOOL m_bLaidOut = FALSE;
    BOOL m_bOleInitialized = FALSE;
    unsigned m_nStructureSerial = 0;
    CTrackingScope* m_pTrackingScope = nullptr;
    std::vector<std::unique_ptr<CDockingSplitBarWnd>> m_retiredBars;
    std::unique_ptr<CDockingDragTracker> m_pDragTracker;
};
