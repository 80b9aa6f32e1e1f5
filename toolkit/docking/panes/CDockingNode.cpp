#include "CDockingNode.h"

#include "CDockingArrangement.h"
#include "CDockingCaptionButton.h"
#include "CDockingHostWnd.h"
#include "core/StoredArrangement.h"
#include "window/CFrameWnd.h"

CDockingNode::CDockingNode(CDockingArrangement* pArrangement, int nType)
    : m_pArrangement(pArrangement), m_nType(nType)
{
    if (CDockingHostWnd* pHost = GetHost())
        m_pSite = pHost->GetSiteFrame();
    m_pArrangement->AddNode(this);
}

CDockingNode::~CDockingNode() = default;

void CDockingNode::InvalidateNode()
{
    if (HWND hWnd = GetNodeWindow())
        ::InvalidateRect(hWnd, nullptr, FALSE);
}

void CDockingNode::CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes)
{
    if (m_nType == nType)
        nodes.push_back(this);
}

void CDockingNode::GetTrackLimits(MINMAXINFO* pInfo)
{
    *pInfo = MINMAXINFO{};
    pInfo->ptMaxTrackSize = CPoint(kit::docking::kMaxTrackSize, kit::docking::kMaxTrackSize);
}

void CDockingNode::PlaceInRect(CWnd* /*pSite*/, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    m_rect = rect;
    if (pLayout)
        pLayout->rect = rect;
}

void CDockingNode::RefreshNode(BOOL bShowPanes)
{
    if (m_pParent)
        m_pParent->RefreshNode(bShowPanes);
}

void CDockingNode::StoreNodeProperties(kit::docking::StoredNode& stored) const
{
    stored.type = m_nType;
    stored.dockingCx = m_nDockingCX;
    stored.dockingCy = m_nDockingCY;
}

BOOL CDockingNode::LoadNodeProperties(const kit::docking::StoredNode& stored)
{
    m_nDockingCX = stored.dockingCx;
    m_nDockingCY = stored.dockingCy;
    return TRUE;
}

BOOL CDockingNode::IsEmptyNode() const
{
    const CDockingHostWnd* pHost = GetHost();
    return m_nType == kit::docking::kNodeClient && pHost && pHost->m_bHideClient;
}

CDockingHostWnd* CDockingNode::GetHost() const
{
    return m_pArrangement->GetHost();
}

CDockingPaneDrawer* CDockingNode::GetDrawer() const
{
    const CDockingHostWnd* pHost = GetHost();
    return pHost ? pHost->GetDrawer() : nullptr;
}

CRect CDockingNode::GetScreenRect() const
{
    CRect rect = m_rect;
    if (m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->ClientToScreen(&rect);
    return rect;
}

CDockingCaptionButton* CDockingNode::FindCaptionButton(int nId) const
{
    for (const auto& pButton : m_captionButtons)
        if (pButton->GetId() == nId)
            return pButton.get();
    return nullptr;
}

std::vector<CDockingCaptionButton*> CDockingNode::GetCaptionButtons() const
{
    std::vector<CDockingCaptionButton*> buttons;
    for (const auto& pButton : m_captionButtons)
        buttons.push_back(pButton.get());
    return buttons;
}

void CDockingNode::MarkSiteForLayout() const
{
    MarkFrameForLayout(m_pSite);
}

CDockingClientNode::CDockingClientNode(CDockingArrangement* pArrangement)
    : CDockingNode(pArrangement, kit::docking::kNodeClient)
{
}

void MarkFrameForLayout(CWnd* pFrame)
{
    if (!pFrame || !pFrame->GetSafeHwnd())
        return;
    if (CFrameWnd* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
        pFrameWnd->DelayRecalcLayout();
}
