// The arrangement's part in auto-hiding: a docked node goes to the side
// strip of the side it was docked at, joining the strip's group of panes
// that came from the same place, and the strips take their bands off the
// frame before anything else is laid out.
#include "CDockingArrangement.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneItem.h"
#include "CDockingSideStrip.h"
#include "CKitDockingPaneTabbedContainer.h"

using namespace kit::docking;

void CDockingArrangement::SetSideStrip(int nSide, CDockingNode* pStrip)
{
    if (nSide >= kSideLeft && nSide <= kSideBottom)
        m_sideStrips[nSide] = pStrip;
}

void CDockingArrangement::PlaceSideStrips(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pLayout)
{
    for (CDockingNode* pNode : m_sideStrips)
        if (CDockingSideStrip* pStrip = AsSideStrip(pNode))
            pStrip->PlaceStrip(pSite, pRect, pLayout);
}

void CDockingArrangement::MovePanesInto(CDockingNode* pContainer, const std::vector<CDockingNode*>& panes, int nMask)
{
    CKitDockingPaneTabbedContainer* pTarget = AsTabbedContainer(pContainer);
    if (!pTarget)
        return;
    for (CDockingNode* pNode : panes)
    {
        CDockingPaneItem* pPane = AsPane(pNode);
        if (!pPane || (pPane->GetEffectiveOptions() & nMask))
            continue;
        if (CDockingNode* pParent = pPane->GetParentNode())
            pParent->RemoveChildNode(pPane);
        pTarget->AddPane(pPane, TRUE);
    }
}

BOOL CDockingArrangement::MergeIntoAutoHideGroup(CDockingNode* pStripNode, CDockingNode* pNode)
{
    CDockingSideStrip* pStrip = AsSideStrip(pStripNode);
    std::vector<CDockingNode*> panes;
    if (AsPane(pNode))
        panes.push_back(pNode);
    else
        pNode->CollectNodesOfType(kNodePane, panes);
    if (!pStrip || panes.empty())
        return FALSE;
    const HolderRecord* pRecord = FindHolder(AsPane(panes.front()));
    if (!pRecord || !pRecord->pDockingHolder)
        return FALSE;
    // Panes docked in one place share one group on the strip.
    for (CDockingNode* pContainerNode : pStrip->GetContainers())
    {
        const CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pContainerNode);
        if (!pContainer || pContainer->GetPaneCount() == 0)
            continue;
        const HolderRecord* pFirst = FindHolder(pContainer->GetPaneAt(0));
        if (pFirst && pFirst->pDockingHolder == pRecord->pDockingHolder)
        {
            MovePanesInto(pContainerNode, panes, kPaneNoAutoHide);
            return TRUE;
        }
    }
    return FALSE;
}

void CDockingArrangement::AutoHideNode(CDockingNode* pNode)
{
    if (!pNode)
        return;
    const int nSide = GetNodeSide(pNode);
    CDockingSideStrip* pStrip = AsSideStrip(m_sideStrips[nSide]);
    if (!pStrip)
    {
        pStrip = AsSideStrip(m_pHost->CreateDockingNode(kNodeSideStrip, this));
        if (!pStrip)
            return;
        pStrip->SetDirection(nSide);
        m_sideStrips[nSide] = pStrip;
    }
    if (MergeIntoAutoHideGroup(pStrip, pNode))
        return;
    CWnd* pSite = m_pHost->GetSiteFrame();
    if (CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pNode))
    {
        // The group's panes move to a group of their own on the strip; the
        // emptied group stays where it was, as the place they dock back to.
        // Panes that may not be auto-hidden stay there.
        auto* pClone = AsTabbedContainer(m_pHost->CreateDockingNode(kNodeTabbedContainer, this));
        pClone->m_nDockingCX = pContainer->m_nDockingCX;
        pClone->m_nDockingCY = pContainer->m_nDockingCY;
        pClone->SetNodeRect(pContainer->GetRect());
        pClone->SetSiteWindow(pSite);
        CDockingPaneItem* pSelected = pContainer->GetSelectedPane();
        std::vector<CDockingNode*> panes;
        pContainer->CollectNodesOfType(kNodePane, panes);
        MovePanesInto(pClone, panes, kPaneNoAutoHide);
        if (pClone->IsEmptyNode())
        {
            DeleteNode(pClone);
            return;
        }
        if (pSelected && pSelected->GetParentNode() == pClone)
            pClone->SelectPane(pSelected, FALSE, TRUE);
        pStrip->AddContainer(pClone);
        return;
    }
    if (AsPane(pNode))
    {
        if (CDockingNode* pParent = pNode->GetParentNode())
            pParent->RemoveChildNode(pNode);
        auto* pContainer = AsTabbedContainer(m_pHost->CreateDockingNode(kNodeTabbedContainer, this));
        pContainer->InitFromPane(AsPane(pNode), pSite);
        pStrip->AddContainer(pContainer);
        return;
    }
    if (pNode->GetType() == kNodeSplit)
    {
        if (CDockingNode* pParent = pNode->GetParentNode())
            pParent->RemoveChildNode(pNode);
        pStrip->AddContainer(pNode);
    }
}

void CDockingHostWnd::ToggleAutoHide(CDockingNode* pNode)
{
    if (!pNode || !m_pArrangement)
        return;
    if (AsPane(pNode) && m_bContainerAutoHide && pNode->GetParentNode())
        pNode = pNode->GetParentNode();
    CDockingNode* pParent = pNode->GetParentNode();
    if (!pParent)
        return;
    if (CDockingSideStrip* pStrip = AsSideStrip(pParent))
    {
        pStrip->CollapseAutoHideWindow(FALSE);
        return;
    }
    m_pArrangement->AutoHideNode(pNode);
    OnStructureChanged();
    MarkFrameForLayout(m_pSiteFrame);
}
