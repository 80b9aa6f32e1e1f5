#include "CDockingArrangement.h"

#include <algorithm>
#include <set>

#include "ArrangementExchange.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitPropExchangeArchive.h"

using namespace kit::docking;

CDockingArrangement::CDockingArrangement(CDockingHostWnd* pHost) : m_pHost(pHost)
{
    m_pClient = pHost->CreateDockingNode(kNodeClient, this);
    m_pTopContainer = AsSplitNode(pHost->CreateDockingNode(kNodeSplit, this));
    m_pTopContainer->InitSplit(m_pClient, TRUE, pHost->GetSiteFrame());
}

CDockingArrangement::~CDockingArrangement()
{
    ClearAll();
}

void CDockingArrangement::AddNode(CDockingNode* pNode)
{
    m_nodes.push_back(pNode);
}

HolderRecord& CDockingArrangement::AddHolder(CDockingPaneItem* pPane)
{
    m_holders.push_back(HolderRecord{pPane});
    return m_holders.back();
}

HolderRecord* CDockingArrangement::FindHolder(const CDockingPaneItem* pPane)
{
    for (HolderRecord& record : m_holders)
        if (record.pPane == pPane)
            return &record;
    return nullptr;
}

CDockingNode* CDockingArrangement::GetSideStrip(int nSide) const
{
    return nSide >= 0 && nSide < 4 ? m_sideStrips[nSide] : nullptr;
}

CDockingNode* CDockingArrangement::GetLoadedNode(int nIndex) const
{
    const auto it = m_loadedNodes.find(nIndex);
    return it == m_loadedNodes.end() ? nullptr : it->second;
}

void CDockingArrangement::DeleteNode(CDockingNode* pNode)
{
    const auto it = std::find(m_nodes.begin(), m_nodes.end(), pNode);
    if (it != m_nodes.end())
        m_nodes.erase(it);
    // Nothing may keep pointing at a node that is gone: a holder dropped by
    // compacting would otherwise be read when the tree is stored next.
    for (HolderRecord& record : m_holders)
        for (CDockingNode** ppHolder : {&record.pDockingHolder, &record.pFloatingHolder, &record.pLastHolder})
            if (*ppHolder == pNode)
                *ppHolder = nullptr;
    for (CDockingNode*& pStrip : m_sideStrips)
        if (pStrip == pNode)
            pStrip = nullptr;
    if (CDockingPaneItem* pPane = AsPane(pNode))
    {
        m_pHost->ReleaseActivePane(pPane);
        // The window is the application's: it leaves the host's windows
        // (which may be destroyed next) for the frame, hidden.
        const HWND hWnd = pPane->GetAttachedWindow();
        CWnd* pFrame = m_pHost->GetSiteFrame();
        if (::IsWindow(hWnd) && pFrame && pFrame->GetSafeHwnd() && ::GetParent(hWnd) != pFrame->GetSafeHwnd())
        {
            ::ShowWindow(hWnd, SW_HIDE);
            ::SetParent(hWnd, pFrame->GetSafeHwnd());
        }
        pPane->InternalRelease();
        return;
    }
    delete pNode;
}

void CDockingArrangement::ClearAll()
{
    m_holders.clear();
    std::fill(std::begin(m_sideStrips), std::end(m_sideStrips), nullptr);
    m_pTopContainer = nullptr;
    m_pClient = nullptr;
    m_loadedNodes.clear();
    // Panes first, so that no group takes a pane's window down with its own.
    for (CDockingNode* pNode : std::vector<CDockingNode*>(m_nodes))
        if (AsPane(pNode))
            DeleteNode(pNode);
    while (!m_nodes.empty())
        DeleteNode(m_nodes.front());
    m_pHost->OnStructureChanged();
}

void CDockingArrangement::SyncHolders()
{
    for (HolderRecord& record : m_holders)
    {
        CDockingNode* pParent = record.pPane->GetParentNode();
        if (!pParent || !pParent->GetSiteWindow())
            continue;
        if (pParent->GetParentNode() && pParent->GetParentNode()->GetType() == kNodeSideStrip)
            continue;
        if (pParent->GetSiteWindow() != m_pHost->GetSiteFrame())
            record.pFloatingHolder = pParent;
        else
            record.pDockingHolder = pParent;
        record.pLastHolder = pParent;
    }
}

void CDockingArrangement::PlaceAll(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    CRect rectLeft = rect;
    PlaceSideStrips(pSite, &rectLeft, pLayout);
    if (m_pClient)
        m_pClient->PlaceInRect(pSite, rectLeft, pLayout);
    if (m_pTopContainer)
        m_pTopContainer->PlaceInRect(pSite, rectLeft, pLayout);
    SyncHolders();
}

int CDockingArrangement::GetNodeSide(CDockingNode* pNode) const
{
    CDockingNode* pChild = pNode;
    for (CDockingNode* pParent = pNode ? pNode->GetParentNode() : nullptr; pParent;
         pChild = pParent, pParent = pParent->GetParentNode())
    {
        CDockingSplitNode* pSplit = AsSplitNode(pParent);
        if (!pSplit || !m_pClient)
            continue;
        const int nClientChild = pSplit->FindChildHolding(m_pClient);
        if (nClientChild < 0 || pSplit->GetChildren()[static_cast<size_t>(nClientChild)] == pChild)
            continue;
        const BOOL bBefore = pSplit->IsBefore(pChild, nClientChild);
        if (pSplit->IsHorizontal())
            return bBefore ? kSideLeft : kSideRight;
        return bBefore ? kSideTop : kSideBottom;
    }
    return kSideLeft;
}

void CDockingArrangement::CompactTree()
{
    std::set<const CDockingNode*> needed;
    for (const HolderRecord& record : m_holders)
    {
        needed.insert(record.pDockingHolder);
        needed.insert(record.pFloatingHolder);
        needed.insert(record.pPane->GetParentNode());
    }
    for (BOOL bChanged = TRUE; bChanged;)
    {
        bChanged = FALSE;
        for (CDockingNode* pNode : std::vector<CDockingNode*>(m_nodes))
        {
            CDockingNode* pParent = pNode->GetParentNode();
            // A floating frame whose contents went elsewhere has nothing to show.
            if (CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(pNode); pFloating && !pFloating->GetTopContainer())
            {
                DeleteNode(pNode);
                bChanged = TRUE;
                break;
            }
            if (pNode->GetType() == kNodeTabbedContainer && !needed.count(pNode))
            {
                if (pParent)
                    pParent->RemoveChildNode(pNode);
                DeleteNode(pNode);
                bChanged = TRUE;
                break;
            }
            CDockingSplitNode* pSplit = AsSplitNode(pNode);
            if (!pSplit || pSplit == m_pTopContainer)
                continue;
            if (pSplit->GetChildren().empty())
            {
                if (pParent)
                    pParent->RemoveChildNode(pSplit);
                DeleteNode(pSplit);
                bChanged = TRUE;
                break;
            }
            CDockingSplitNode* pParentSplit = AsSplitNode(pParent);
            if (pSplit->GetChildren().size() == 1 && pParentSplit && pParentSplit->GetChildren().size() == 1)
            {
                CDockingNode* pOnlyChild = pSplit->GetChildren().front();
                pParentSplit->ReplaceChild(pSplit, pOnlyChild);
                DeleteNode(pSplit);
                bChanged = TRUE;
                break;
            }
        }
    }
}

StoredArrangement CDockingArrangement::ToStored()
{
    CompactTree();
    StoredArrangement stored;
    int nIndex = 0;
    for (CDockingNode* pNode : m_nodes)
        pNode->m_nIndex = ++nIndex;
    const auto indexOf = [](const CDockingNode* pNode) { return pNode ? pNode->m_nIndex : 0; };
    for (const CDockingNode* pNode : m_nodes)
    {
        StoredNode node;
        pNode->StoreNodeProperties(node);
        if (const CDockingPaneItem* pPane = AsPane(const_cast<CDockingNode*>(pNode)))
            if (const HolderRecord* pRecord = FindHolder(pPane))
            {
                node.dockingHolder = indexOf(pRecord->pDockingHolder);
                node.floatingHolder = indexOf(pRecord->pFloatingHolder);
                node.lastHolder = indexOf(pRecord->pLastHolder);
            }
        stored.nodes.push_back(std::move(node));
    }
    stored.topContainer = indexOf(m_pTopContainer);
    stored.client = indexOf(m_pClient);
    return stored;
}

void CDockingArrangement::SaveTree(CKitPropExchange* pPX)
{
    StoreArrangementTo(ToStored(), pPX);
}

BOOL CDockingArrangement::LoadTree(CKitPropExchange* pPX)
{
    ClearAll();
    ArrangementError error = ArrangementError::None;
    const StoredArrangement stored = LoadArrangementFrom(pPX, &error);
    // A store that fails its checks gives the view alone, as does one whose
    // node kinds this host cannot build.
    if (error == ArrangementError::None && BuildFrom(stored))
        return TRUE;
    ClearAll();
    BuildFrom(DefaultArrangement());
    return FALSE;
}

BOOL CDockingArrangement::BuildFrom(const StoredArrangement& stored)
{
    m_loadedNodes.clear();
    for (size_t i = 0; i < stored.nodes.size(); ++i)
    {
        CDockingNode* pNode = m_pHost->CreateDockingNode(stored.nodes[i].type, this);
        if (!pNode)
            return FALSE;
        pNode->m_nIndex = static_cast<int>(i + 1);
        m_loadedNodes[pNode->m_nIndex] = pNode;
    }
    for (size_t i = 0; i < stored.nodes.size(); ++i)
        if (!GetLoadedNode(static_cast<int>(i + 1))->LoadNodeProperties(stored.nodes[i]))
            return FALSE;
    for (size_t i = 0; i < stored.nodes.size(); ++i)
    {
        const StoredNode& node = stored.nodes[i];
        if (node.type != kNodePane)
            continue;
        HolderRecord& record = AddHolder(AsPane(GetLoadedNode(static_cast<int>(i + 1))));
        record.pDockingHolder = GetLoadedNode(node.dockingHolder);
        record.pFloatingHolder = GetLoadedNode(node.floatingHolder);
        record.pLastHolder = GetLoadedNode(node.lastHolder);
    }
    m_pTopContainer = AsSplitNode(GetLoadedNode(stored.topContainer));
    m_pClient = GetLoadedNode(stored.client);
    m_loadedNodes.clear();
    return m_pTopContainer && m_pClient && m_pClient->GetType() == kNodeClient;
}

BOOL CDockingArrangement::ExchangeTree(CKitPropExchange* pPX)
{
    if (pPX->IsLoading())
        return LoadTree(pPX);
    SaveTree(pPX);
    return TRUE;
}

void CDockingArrangement::Serialize(CArchive& ar)
{
    CKitPropExchangeArchive px(ar);
    ExchangeTree(&px);
}
