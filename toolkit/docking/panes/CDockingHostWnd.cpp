#include "CDockingHostWnd.h"

#include <algorithm>
#include <vector>

#include <ole2.h>

#include "CColorTable.h"
#include "CCommandIconStore.h"
#include "CDockingDragTracker.h"
#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CDockingSideStrip.h"
#include "CDockingSplitBarWnd.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CScreenTipContext.h"
#include "window/AfxMessages.h"

using namespace kit::docking;

namespace {

template <class T>
void ReleaseRef(T*& pObject)
{
    if (pObject)
        pObject->InternalRelease();
    pObject = nullptr;
}

}  // namespace

CDockingHostWnd::CDockingHostWnd()
{
    SelectDrawingStyle(0);
    m_pIconStore = new CCommandIconStore();
    m_pTipContext = new CScreenTipContext();
    m_pDragTracker = std::make_unique<CDockingDragTracker>(this);
    const HRESULT hr = ::OleInitialize(nullptr);
    m_bOleInitialized = SUCCEEDED(hr);
}

CDockingHostWnd::~CDockingHostWnd()
{
    ReleaseRef(m_pArrangement);
    ReleaseRef(m_pActivePane);
    ReleaseRef(m_pDrawer);
    ReleaseRef(m_pTipContext);
    m_retiredBars.clear();
    ReleaseRef(m_pIconStore);
    if (m_bOleInitialized)
        ::OleUninitialize();
}

CDockingArrangement* CDockingHostWnd::CreateArrangement()
{
    return new CDockingArrangement(this);
}

CDockingNode* CDockingHostWnd::CreateDockingNode(int nType, CDockingArrangement* pArrangement)
{
    switch (nType)
    {
    case kNodePane:
        return new CDockingPaneItem(pArrangement);
    case kNodeTabbedContainer:
        return new CKitDockingPaneTabbedContainer(pArrangement);
    case kNodeSplit:
        return new CDockingSplitNode(pArrangement);
    case kNodeClient:
        return new CDockingClientNode(pArrangement);
    case kNodeFloatingWindow:
        return new CKitDockingPaneMiniWnd(pArrangement);
    case kNodeSideStrip:
        return new CDockingSideStrip(pArrangement);
    default:
        return nullptr;
    }
}

BOOL CDockingHostWnd::AttachToFrame(CWnd* pFrame)
{
    if (m_pSiteFrame || !pFrame || !pFrame->GetSafeHwnd())
        return FALSE;
    m_pSiteFrame = pFrame;
    if (!CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(), pFrame, 0))
    {
        m_pSiteFrame = nullptr;
        return FALSE;
    }
    ReleaseRef(m_pArrangement);
    m_pArrangement = CreateArrangement();
    m_pArrangement->SetAttached();
    return TRUE;
}

void CDockingHostWnd::SelectDrawingStyle(int nStyle)
{
    ReleaseRef(m_pDrawer);
    m_pDrawer = CreateDockingDrawer(nStyle);
    m_pDrawer->m_nStyleNumber = nStyle;
    m_pDrawer->ReloadMetrics();
    RecalcAllFrames();
    if (nStyle == 9)
        m_bStyle9Guides = TRUE;
}

CDockingPaneItem* CDockingHostWnd::LookupPaneById(int nId) const
{
    if (!m_pArrangement)
        return nullptr;
    for (const HolderRecord& record : m_pArrangement->GetHolderList())
        if (record.pPane->m_nId == nId)
            return record.pPane;
    return nullptr;
}

void CDockingHostWnd::DismissPane(CDockingPaneItem* pPane)
{
    if (!pPane)
        return;
    if (m_pSiteFrame && m_pSiteFrame->GetSafeHwnd() &&
        ::SendMessageW(m_pSiteFrame->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventClosePane,
                       reinterpret_cast<LPARAM>(pPane)) == -1)
        return;
    if (CDockingNode* pParent = pPane->GetParentNode())
        pParent->RemoveChildNode(pPane);
}

void CDockingHostWnd::ShowPane(CDockingPaneItem* pPane, BOOL bActivate)
{
    if (!pPane || !m_pArrangement)
        return;
    if (CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pPane->GetParentNode()))
    {
        pContainer->SelectPane(pPane, bActivate, TRUE);
    }
    else if (!pPane->GetParentNode())
    {
        // A closed pane goes back to the group that held it last.
        for (const HolderRecord& record : m_pArrangement->GetHolderList())
            if (CKitDockingPaneTabbedContainer* pHolder = AsTabbedContainer(record.pLastHolder);
                record.pPane == pPane && pHolder && !pPane->GetParentNode())
                pHolder->AddPane(pPane, bActivate);
    }
    if (m_bLaidOut)
        pPane->SetVisible(TRUE);
    if (bActivate)
        pPane->Focus();
}

BOOL CDockingHostWnd::NotifyAction(int nAction, CDockingPaneItem* pPane, CDockingNode* pTarget, int nExtra)
{
    DockingActionRecord record;
    record.action = nAction;
    record.pPane = pPane;
    record.pTarget = pTarget;
    record.extra = nExtra;
    if (m_pSiteFrame && m_pSiteFrame->GetSafeHwnd())
        ::SendMessageW(m_pSiteFrame->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventAction,
                       reinterpret_cast<LPARAM>(&record));
    return record.cancel;
}

void CDockingHostWnd::MarkPaneActive(BOOL bActive, CDockingPaneItem* pPane)
{
    if (bActive)
    {
        if (pPane == m_pActivePane)
            return;
        if (CDockingPaneItem* pOld = m_pActivePane)
        {
            m_pActivePane = nullptr;
            NotifyAction(kActionDeactivated, pOld, nullptr, 0);
            pOld->InternalRelease();
        }
        m_pActivePane = pPane;
        if (pPane)
        {
            pPane->InternalAddRef();
            NotifyAction(kActionActivated, pPane, nullptr, 0);
        }
        return;
    }
    if (!pPane || pPane != m_pActivePane)
        return;
    m_pActivePane = nullptr;
    NotifyAction(kActionDeactivated, pPane, nullptr, 0);
    pPane->InternalRelease();
}

void CDockingHostWnd::ReleaseActivePane(CDockingPaneItem* pPane)
{
    if (pPane && pPane == m_pActivePane)
        ReleaseRef(m_pActivePane);
}

CDockingPaneItem* CDockingHostWnd::CreatePane(int nId, LPCTSTR pszTitle, HWND hWndAttached, int nSide,
                                              CDockingNode* pTarget, CSize sizeDocking)
{
    if (!m_pArrangement || nId <= 0 || nSide < kSideLeft || nSide > kSideBottom)
        return nullptr;
    CDockingPaneItem* pPane = AsPane(CreateDockingNode(kNodePane, m_pArrangement));
    if (!pPane)
        return nullptr;
    pPane->m_nId = nId;
    pPane->m_strTitle = pszTitle ? pszTitle : L"";
    pPane->m_nDockingCX = sizeDocking.cx;
    pPane->m_nDockingCY = sizeDocking.cy;
    m_pArrangement->AddHolder(pPane);
    pPane->AttachWindow(hWndAttached);
    InsertPaneAtSide(pPane, nSide, pTarget);
    return pPane;
}

void CDockingHostWnd::InsertPaneAtSide(CDockingNode* pNode, int nSide, CDockingNode* pTarget)
{
    if (!pNode || !m_pArrangement)
        return;
    if (CDockingNode* pParent = pNode->GetParentNode())
        pParent->RemoveChildNode(pNode);
    InsertNodeAtSide(pNode, nSide, pTarget);
}

void CDockingHostWnd::InsertNodeAtSide(CDockingNode* pNode, int nSide, CDockingNode* pTarget)
{
    CDockingSplitNode* pTop = m_pArrangement->GetTopContainer();
    if (!pTarget || (AsPane(pTarget) && (pTarget->IsAutoHidden() || !pTarget->GetParentNode())))
        pTarget = pTop;
    CWnd* pSite = pTarget->GetSiteWindow();
    const BOOL bHorizontal = nSide == kSideLeft || nSide == kSideRight;
    const BOOL bAfter = nSide == kSideRight || nSide == kSideBottom;
    if (CDockingPaneItem* pPane = AsPane(pNode))
    {
        // A pane docks in a group of its own.
        CKitDockingPaneTabbedContainer* pContainer =
            AsTabbedContainer(CreateDockingNode(kNodeTabbedContainer, m_pArrangement));
        pContainer->InitFromPane(pPane, pSite);
        pNode = pContainer;
    }
    if (pTarget == pTop)
    {
        if (pTop->IsHorizontal() == bHorizontal)
        {
            pTop->InsertChild(pNode, nullptr, bAfter);
        }
        else
        {
            CDockingSplitNode* pSplit = AsSplitNode(CreateDockingNode(kNodeSplit, m_pArrangement));
            pSplit->InitSplit(pTop, bHorizontal, pSite);
            pSplit->InsertChild(pNode, nullptr, bAfter);
            m_pArrangement->SetTopContainer(pSplit);
        }
    }
    else
    {
        if (AsTabbedContainer(pTarget->GetParentNode()))
            pTarget = pTarget->GetParentNode();
        CDockingSplitNode* pParent = AsSplitNode(pTarget->GetParentNode());
        if (!pParent)
            return;
        if (pParent->IsHorizontal() == bHorizontal)
        {
            pParent->InsertChild(pNode, pTarget, bAfter);
        }
        else
        {
            CDockingSplitNode* pSplit = AsSplitNode(CreateDockingNode(kNodeSplit, m_pArrangement));
            pSplit->InitSplit(pTarget, bHorizontal, pSite);
            pSplit->InsertChild(pNode, nullptr, bAfter);
            pParent->ReplaceChild(pTarget, pSplit);
        }
    }
    MarkFrameForLayout(pSite);
}

void CDockingHostWnd::AttachNode(CDockingNode* pNode, CDockingNode* pTarget)
{
    CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pTarget);
    if (!pContainer && pTarget)
        pContainer = AsTabbedContainer(pTarget->GetParentNode());
    if (!pNode || !pContainer || pNode == pContainer)
        return;
    std::vector<CDockingNode*> panes;
    if (AsPane(pNode))
        panes.push_back(pNode);
    else
        pNode->CollectNodesOfType(kNodePane, panes);
    for (CDockingNode* pPaneNode : panes)
    {
        if (CDockingNode* pParent = pPaneNode->GetParentNode())
            pParent->RemoveChildNode(pPaneNode);
        pContainer->AddPane(AsPane(pPaneNode), TRUE);
    }
    m_pArrangement->SyncHolders();
}

void CDockingHostWnd::ComputeDockRect(CRect* pRect, CDockingNode* pNode, int nSide, CDockingNode* pTarget)
{
    CDockingSplitNode* pTop = GetTopContainer();
    if (!pTarget)
        pTarget = pTop;
    if (!pTarget)
        return;
    if (pTarget != pTop)
    {
        if (pTarget->GetParentNode() && pTarget->GetParentNode()->GetType() == kNodeTabbedContainer)
            pTarget = pTarget->GetParentNode();
        CDockingSplitNode* pParent = AsSplitNode(pTarget->GetParentNode());
        if (pParent && pParent->IsHorizontal() == (nSide == kSideLeft || nSide == kSideRight))
        {
            pParent->ComputeInsertRect(pRect, pNode, nSide, pTarget);
            return;
        }
    }
    if (CDockingSplitNode* pParent = AsSplitNode(pTarget->GetParentNode()))
        pParent->ComputeWrapRect(pRect, pTarget, pNode, nSide);
    else
        pTop->ComputeWrapRect(pRect, pTarget, pNode, nSide);
}

CDockingNode* CDockingHostWnd::CloneForMove(CDockingNode* pNode)
{
    std::vector<CDockingNode*> panes;
    pNode->CollectNodesOfType(kNodePane, panes);
    if (panes.empty())
        return nullptr;
    CKitDockingPaneTabbedContainer* pOld = AsTabbedContainer(pNode);
    CDockingPaneItem* pSelected = pOld ? pOld->GetSelectedPane() : nullptr;
    auto* pClone = AsTabbedContainer(CreateDockingNode(kNodeTabbedContainer, m_pArrangement));
    pClone->m_nDockingCX = pNode->m_nDockingCX;
    pClone->m_nDockingCY = pNode->m_nDockingCY;
    pClone->SetNodeRect(pNode->GetRect());
    pClone->SetSiteWindow(m_pSiteFrame);
    for (CDockingNode* pPaneNode : panes)
    {
        pPaneNode->GetParentNode()->RemoveChildNode(pPaneNode);
        pClone->AddPane(AsPane(pPaneNode), FALSE);
    }
    if (pSelected)
        pClone->SelectPane(pSelected, FALSE, TRUE);
    return pClone;
}

void CDockingHostWnd::FloatNode(CDockingNode* pNode, const CRect& rect)
{
    if (!pNode || !m_pArrangement)
        return;
    if (AsPane(pNode))
    {
        if (CDockingNode* pParent = pNode->GetParentNode())
            pParent->RemoveChildNode(pNode);
    }
    else if (!(pNode = CloneForMove(pNode)))
    {
        return;
    }
    auto* pFloating = AsFloatingWindow(CreateDockingNode(kNodeFloatingWindow, m_pArrangement));
    pFloating->CreateFloating(pNode, rect);
    OnStructureChanged();
    m_pArrangement->SyncHolders();
    MarkFrameForLayout(m_pSiteFrame);
}

BOOL CDockingHostWnd::MovePaneToHolder(CDockingPaneItem* pPane, CDockingNode* pHolder)
{
    if (!pPane || !AsTabbedContainer(pPane->GetParentNode()))
        return FALSE;
    const BOOL bToFloat = !AsFloatingWindow(dynamic_cast<CDockingNode*>(pPane->GetSiteWindow())) && !pPane->IsAutoHidden();
    if (bToFloat && (pPane->GetEffectiveOptions() & kPaneNoFloat))
        return FALSE;
    if (NotifyAction(bToFloat ? kActionFloating : kActionDocking, pPane, pHolder, 0))
        return FALSE;
    if (pHolder)
    {
        m_bMovingPane = TRUE;
        AttachNode(pPane, pHolder);
        m_bMovingPane = FALSE;
    }
    else
    {
        FloatNode(pPane, pPane->GetParentNode()->GetScreenRect());
    }
    NotifyAction(bToFloat ? kActionFloated : kActionDocked, pPane, nullptr, 0);
    return TRUE;
}

void CDockingHostWnd::ToggleDockedFloating(CDockingNode* pNode)
{
    if (!pNode || !m_pArrangement)
        return;
    const BOOL bToFloat = !AsFloatingWindow(dynamic_cast<CDockingNode*>(pNode->GetSiteWindow())) && !pNode->IsAutoHidden();
    if (CDockingPaneItem* pPane = AsPane(pNode))
    {
        MovePaneToHolder(pPane, GetHolder(pPane, bToFloat));
        return;
    }
    if (pNode->GetType() != kNodeTabbedContainer && pNode->GetType() != kNodeSplit)
        return;
    std::vector<CDockingNode*> panes;
    pNode->CollectNodesOfType(kNodePane, panes);
    int nSelected = 0;
    int nFocused = 0;
    for (CDockingNode* pPaneNode : panes)
    {
        CDockingPaneItem* pPane = AsPane(pPaneNode);
        if (const auto* pContainer = AsTabbedContainer(pPane->GetParentNode()); pContainer && pContainer->GetSelectedPane() == pPane)
            nSelected = pPane->m_nId;
        if (pPane->HasFocus())
            nFocused = pPane->m_nId;
    }
    // A pane without a holder of its own follows the pane before it, but only
    // to a holder that pane has recorded: one it borrowed is not passed on.
    CDockingNode* pPreviousRecorded = nullptr;
    for (CDockingNode* pPaneNode : panes)
    {
        CDockingPaneItem* pPane = AsPane(pPaneNode);
        CDockingNode* pRecorded = GetHolder(pPane, bToFloat);
        CDockingNode* pHolder = pRecorded ? pRecorded : pPreviousRecorded;
        pPreviousRecorded = pRecorded;
        // A holder may have become a group of the frame the pane is in.
        if (pHolder && pHolder == pPane->GetParentNode())
            pHolder = nullptr;
        if (!MovePaneToHolder(pPane, pHolder))
        {
            if (nSelected == pPane->m_nId)
                nSelected = 0;
            if (nFocused == pPane->m_nId)
                nFocused = 0;
        }
    }
    if (nFocused > 0)
        ShowPane(LookupPaneById(nFocused), TRUE);
    else if (nSelected > 0)
        ShowPane(LookupPaneById(nSelected), TRUE);
}

void CDockingHostWnd::StoreArrangement(CKitPropExchange* pPX)
{
    if (m_pArrangement && pPX)
        m_pArrangement->SaveTree(pPX);
}

BOOL CDockingHostWnd::LoadArrangement(CKitPropExchange* pPX)
{
    if (!m_pSiteFrame || !pPX)
        return FALSE;
    CDockingArrangement* pLoaded = CreateArrangement();
    const BOOL bLoaded = pLoaded->LoadTree(pPX);
    ReleaseRef(m_pArrangement);
    m_pArrangement = pLoaded;
    m_pArrangement->SetAttached();
    // Groups and bars were not made while the tree was built unattached.
    for (CDockingNode* pNode : m_pArrangement->GetNodeList())
    {
        pNode->SetSiteWindow(m_pSiteFrame);
        if (CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pNode); pContainer && !pContainer->IsEmptyNode())
        {
            pContainer->CreateContainerWindow();
            // Groups on a side strip show only when they slide out.
            if (pContainer->IsAutoHidden() && pContainer->GetSafeHwnd())
                pContainer->ShowWindow(SW_HIDE);
        }
    }
    for (CDockingNode* pNode : m_pArrangement->GetNodeList())
        if (CDockingSplitNode* pSplit = AsSplitNode(pNode))
            pSplit->RebuildSplitBars();
    // Floating frames take their trees over from the main frame.
    for (CDockingNode* pNode : std::vector<CDockingNode*>(m_pArrangement->GetNodeList()))
        if (CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(pNode))
            pFloating->CreateLoadedWindow();
    MarkFrameForLayout(m_pSiteFrame);
    return bLoaded;
}

CDockingSplitNode* CDockingHostWnd::GetTopContainer() const
{
    return m_pArrangement ? m_pArrangement->GetTopContainer() : nullptr;
}

CDockingNode* CDockingHostWnd::GetClientNode() const
{
    return m_pArrangement ? m_pArrangement->GetClientNode() : nullptr;
}

CDockingNode* CDockingHostWnd::GetHolder(CDockingNode* pNode, BOOL bFloating) const
{
    if (!m_pArrangement)
        return nullptr;
    for (const HolderRecord& record : m_pArrangement->GetHolderList())
        if (static_cast<CDockingNode*>(record.pPane) == pNode)
            return bFloating ? record.pFloatingHolder : record.pDockingHolder;
    return nullptr;
}

CCommandIcon* CDockingHostWnd::GetIcon(int nId, int nWidth) const
{
    return m_pIconStore ? m_pIconStore->GetIcon(static_cast<UINT>(nId), static_cast<UINT>(nWidth)) : nullptr;
}

int CDockingHostWnd::GetNodeSide(CDockingNode* pNode) const
{
    return m_pArrangement ? m_pArrangement->GetNodeSide(pNode) : kSideLeft;
}

BOOL CDockingHostWnd::IsLayoutRtl() const
{
    return m_pSiteFrame && m_pSiteFrame->GetSafeHwnd() && (m_pSiteFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

int CDockingHostWnd::MirrorSide(int nSide) const
{
    if (!IsLayoutRtl())
        return nSide;
    if (nSide == kSideLeft)
        return kSideRight;
    return nSide == kSideRight ? kSideLeft : nSide;
}

BOOL CDockingHostWnd::IsPaneAutoHidden(CDockingPaneItem* pPane) const
{
    return pPane && pPane->IsAutoHidden();
}

void CDockingHostWnd::RecalcAllFrames()
{
    if (!GetSafeHwnd() || !m_pArrangement)
        return;
    std::vector<CKitDockingPaneMiniWnd*> refreshed;
    for (const HolderRecord& record : m_pArrangement->GetHolderList())
    {
        CWnd* pFrame = record.pPane->GetContainerFrame();
        MarkFrameForLayout(pFrame);
        // A floating frame takes its border and caption height from the
        // style and the themed-frames flag: both may have changed.
        auto* pFloating = dynamic_cast<CKitDockingPaneMiniWnd*>(pFrame);
        if (pFloating && std::find(refreshed.begin(), refreshed.end(), pFloating) == refreshed.end())
        {
            refreshed.push_back(pFloating);
            pFloating->RefreshFrame();
        }
    }
}

void CDockingHostWnd::IdleUpdatePanes()
{
    if (!m_pArrangement)
        return;
    for (const HolderRecord& record : m_pArrangement->GetHolderList())
        record.pPane->OnIdleUpdate();
}

void CDockingHostWnd::RetireSplitBar(std::unique_ptr<CDockingSplitBarWnd> pBar)
{
    if (!pBar)
        return;
    if (pBar->GetSafeHwnd())
        pBar->DestroyWindow();
    if (m_pTrackingScope)
        m_retiredBars.push_back(std::move(pBar));
}

CDockingHostWnd::CTrackingScope::CTrackingScope(CDockingHostWnd* pHost)
    : m_pHost(pHost), m_nSerial(pHost->m_nStructureSerial), m_pOuter(pHost->m_pTrackingScope)
{
    pHost->m_pTrackingScope = this;
}

CDockingHostWnd::CTrackingScope::~CTrackingScope()
{
    m_pHost->m_pTrackingScope = m_pOuter;
    if (!m_pOuter)
        m_pHost->m_retiredBars.clear();
}

BOOL CDockingHostWnd::CTrackingScope::StructureChanged() const
{
    return m_nSerial != m_pHost->m_nStructureSerial;
}

void CDockingHostWnd::OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout)
{
    if (!m_pArrangement || !m_pArrangement->GetTopContainer() || !pLayout)
        return;
    const CRect rect = pLayout->rect;
    m_pArrangement->PlaceAll(m_pSiteFrame, rect, pLayout);
    m_bLaidOut = TRUE;
}

void CDockingHostWnd::OnSysColorChange()
{
    RefreshColorTable();
    if (m_pDrawer)
        m_pDrawer->ReloadMetrics();
    RecalcAllFrames();
}

void CDockingHostWnd::OnSettingChange()
{
    if (m_pDrawer)
        m_pDrawer->ReloadMetrics();
    RecalcAllFrames();
}

LRESULT CDockingHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZEPARENT:
        OnSizeParent(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
        return 0;
    case WM_IDLEUPDATECMDUI:
        IdleUpdatePanes();
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        break;
    case WM_SETTINGCHANGE:
        OnSettingChange();
        break;
    case WM_DESTROY:
        // Closed panes keep their windows under the host; they are the
        // application's and go back to the frame rather than die with us.
        if (m_pArrangement && m_pSiteFrame && m_pSiteFrame->GetSafeHwnd())
            for (const HolderRecord& record : m_pArrangement->GetHolderList())
                if (const HWND hWnd = record.pPane->GetAttachedWindow(); ::IsWindow(hWnd) && ::GetParent(hWnd) == m_hWnd)
                    ::SetParent(hWnd, m_pSiteFrame->GetSafeHwnd());
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
