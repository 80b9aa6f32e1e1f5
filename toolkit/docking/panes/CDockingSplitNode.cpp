#include "CDockingSplitNode.h"

#include <algorithm>

#include "CDockingArrangement.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingSplitBarWnd.h"
#include "core/StoredArrangement.h"

using kit::docking::SplitChild;
using kit::docking::SplitShares;

namespace {

int AxisOf(const CRect& rect, BOOL bHorizontal)
{
    return bHorizontal ? rect.Width() : rect.Height();
}

}  // namespace

CDockingSplitNode::CDockingSplitNode(CDockingArrangement* pArrangement)
    : CDockingNode(pArrangement, kit::docking::kNodeSplit)
{
}

CDockingSplitNode::~CDockingSplitNode()
{
    if (CDockingHostWnd* pHost = GetHost())
        for (auto& pBar : m_splitBars)
            pHost->RetireSplitBar(std::move(pBar));
}

CDockingSplitNode* AsSplitNode(CDockingNode* pNode)
{
    return pNode && pNode->GetType() == kit::docking::kNodeSplit ? static_cast<CDockingSplitNode*>(pNode) : nullptr;
}

BOOL CDockingSplitNode::ContainsNode(const CDockingNode* pNode) const
{
    return pNode == this || FindChildHolding(pNode) >= 0;
}

int CDockingSplitNode::FindChildHolding(const CDockingNode* pNode) const
{
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i]->ContainsNode(pNode))
            return static_cast<int>(i);
    return -1;
}

BOOL CDockingSplitNode::IsBefore(const CDockingNode* pChild, int nPosition) const
{
    const auto it = std::find(m_children.begin(), m_children.end(), pChild);
    return it != m_children.end() && (it - m_children.begin()) < nPosition;
}

void CDockingSplitNode::CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes)
{
    for (CDockingNode* pChild : m_children)
    {
        if (pChild->IsEmptyNode())
            continue;
        if (pChild->GetType() == nType)
            nodes.push_back(pChild);
        else
            pChild->CollectNodesOfType(nType, nodes);
    }
}

void CDockingSplitNode::CollectChildrenOfType(int nType, std::vector<CDockingNode*>& nodes) const
{
    for (CDockingNode* pChild : m_children)
        if (pChild->GetType() == nType && !pChild->IsEmptyNode())
            nodes.push_back(pChild);
}

BOOL CDockingSplitNode::IsEmptyNode() const
{
    return std::all_of(m_children.begin(), m_children.end(), [](const CDockingNode* p) { return p->IsEmptyNode(); });
}

std::vector<CDockingNode*> CDockingSplitNode::VisibleChildren() const
{
    std::vector<CDockingNode*> visible;
    for (CDockingNode* pChild : m_children)
        if (!pChild->IsEmptyNode())
            visible.push_back(pChild);
    return visible;
}

int CDockingSplitNode::SplitterThickness() const
{
    const CDockingPaneDrawer* pDrawer = GetDrawer();
    return pDrawer ? pDrawer->m_nSplitterThickness : 4;
}

CDockingSplitBarWnd* CDockingSplitNode::GetSplitBar(size_t nBar) const
{
    return nBar < m_splitBars.size() ? m_splitBars[nBar].get() : nullptr;
}

void CDockingSplitNode::GetTrackLimits(MINMAXINFO* pInfo)
{
    CDockingNode::GetTrackLimits(pInfo);
    const std::vector<CDockingNode*> visible = VisibleChildren();
    for (size_t i = 0; i < visible.size(); ++i)
    {
        MINMAXINFO child{};
        visible[i]->GetTrackLimits(&child);
        if (i == 0)
        {
            *pInfo = child;
            continue;
        }
        LONG& minAlong = m_bHorizontal ? pInfo->ptMinTrackSize.x : pInfo->ptMinTrackSize.y;
        LONG& maxAlong = m_bHorizontal ? pInfo->ptMaxTrackSize.x : pInfo->ptMaxTrackSize.y;
        LONG& minAcross = m_bHorizontal ? pInfo->ptMinTrackSize.y : pInfo->ptMinTrackSize.x;
        LONG& maxAcross = m_bHorizontal ? pInfo->ptMaxTrackSize.y : pInfo->ptMaxTrackSize.x;
        minAlong += m_bHorizontal ? child.ptMinTrackSize.x : child.ptMinTrackSize.y;
        maxAlong += m_bHorizontal ? child.ptMaxTrackSize.x : child.ptMaxTrackSize.y;
        minAcross = std::max(minAcross, m_bHorizontal ? child.ptMinTrackSize.y : child.ptMinTrackSize.x);
        maxAcross = std::min(maxAcross, m_bHorizontal ? child.ptMaxTrackSize.y : child.ptMaxTrackSize.x);
    }
    if (visible.size() > 1)
    {
        const LONG bars = static_cast<LONG>(visible.size() - 1) * SplitterThickness();
        (m_bHorizontal ? pInfo->ptMinTrackSize.x : pInfo->ptMinTrackSize.y) += bars;
        (m_bHorizontal ? pInfo->ptMaxTrackSize.x : pInfo->ptMaxTrackSize.y) += bars;
    }
}

SplitShares CDockingSplitNode::ComputeChildSizes(const std::vector<CDockingNode*>& children, const CRect& rect,
                                                 BOOL bHorizontal, BOOL bResetClient) const
{
    const CDockingHostWnd* pHost = GetHost();
    const CDockingNode* pClient = GetArrangement()->GetClientNode();
    std::vector<SplitChild> axis;
    CDockingNode* pClientChild = nullptr;
    for (CDockingNode* pChild : children)
    {
        MINMAXINFO limits{};
        pChild->GetTrackLimits(&limits);
        SplitChild child;
        child.dockingSize = bHorizontal ? pChild->m_nDockingCX : pChild->m_nDockingCY;
        child.minimum = bHorizontal ? limits.ptMinTrackSize.x : limits.ptMinTrackSize.y;
        child.maximum = bHorizontal ? limits.ptMaxTrackSize.x : limits.ptMaxTrackSize.y;
        child.holdsClient = !pClientChild && pClient && pChild->ContainsNode(pClient) &&
                            (!pHost->m_bHideClient || (pChild->m_nDockingCX == 0 && pChild->m_nDockingCY == 0));
        if (child.holdsClient)
            pClientChild = pChild;
        axis.push_back(child);
    }
    SplitShares shares = kit::docking::ComputeChildShares(axis, AxisOf(rect, bHorizontal), SplitterThickness(),
                                                          bResetClient != FALSE);
    if (bResetClient && pClientChild && shares.clientDockingSize)
    {
        pClientChild->m_nDockingCX = 0;
        pClientChild->m_nDockingCY = 0;
        (bHorizontal ? pClientChild->m_nDockingCX : pClientChild->m_nDockingCY) = *shares.clientDockingSize;
    }
    return shares;
}

namespace {

CRect SpanRect(const CRect& rect, BOOL bHorizontal, const kit::docking::AxisSpan& span)
{
    return bHorizontal ? CRect(span.start, rect.top, span.end, rect.bottom)
                       : CRect(rect.left, span.start, rect.right, span.end);
}

}  // namespace

void CDockingSplitNode::PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    m_pSite = pSite;
    m_rect = rect;
    const std::vector<CDockingNode*> visible = VisibleChildren();
    const CDockingHostWnd* pHost = GetHost();
    CDockingNode* pClient = GetArrangement()->GetClientNode();
    const BOOL bHoldsClient = !pHost->m_bHideClient || (pClient && FindChildHolding(pClient) >= 0);
    if (visible.empty())
        return;
    if (pHost->m_bHideClient && bHoldsClient && pClient)
        pClient->PlaceInRect(pSite, CRect(), pLayout);
    if (visible.size() == 1)
    {
        visible.front()->PlaceInRect(pSite, rect, pLayout);
        return;
    }
    if (m_bInLayout)
        return;
    m_bInLayout = TRUE;

    const int nGap = SplitterThickness();
    const SplitShares shares = ComputeChildSizes(visible, rect, m_bHorizontal, TRUE);
    const int nStart = m_bHorizontal ? rect.left : rect.top;
    const int nEnd = m_bHorizontal ? rect.right : rect.bottom;
    const std::vector<kit::docking::AxisSpan> spans = kit::docking::PlaceChildSpans(shares, nStart, nEnd, nGap);
    for (size_t i = 0; i < visible.size(); ++i)
    {
        visible[i]->m_nLayoutShare = shares.shares[i];
        visible[i]->PlaceInRect(pSite, SpanRect(rect, m_bHorizontal, spans[i]), pLayout);
        if (i + 1 == visible.size() || !pLayout || !pLayout->hDWP)
            continue;
        const CDockingSplitBarWnd* pBar = GetSplitBar(i);
        if (!pBar || !pBar->GetSafeHwnd())
            continue;
        CRect gap = SpanRect(rect, m_bHorizontal, {spans[i].end, spans[i].end + nGap});
        gap.IntersectRect(&gap, &rect);
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, pBar->GetSafeHwnd(), HWND_BOTTOM, gap.left, gap.top,
                                         gap.Width(), gap.Height(), SWP_NOACTIVATE);
        ::InvalidateRect(pBar->GetSafeHwnd(), nullptr, FALSE);
    }
    m_bInLayout = FALSE;
}

CRect CDockingSplitNode::ComputeChildRect(BOOL bHorizontal, const std::vector<CDockingNode*>& children,
                                          const CRect& rect, const CDockingNode* pChild) const
{
    const SplitShares shares = ComputeChildSizes(children, rect, bHorizontal, FALSE);
    const std::vector<kit::docking::AxisSpan> spans =
        kit::docking::PlaceChildSpans(shares, bHorizontal ? rect.left : rect.top,
                                      bHorizontal ? rect.right : rect.bottom, SplitterThickness());
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == pChild)
            return SpanRect(rect, bHorizontal, spans[i]);
    return CRect();
}

void CDockingSplitNode::ComputeInsertRect(CRect* pRect, CDockingNode* pNode, int nSide, CDockingNode* pTarget)
{
    // The side is the layout's, and so are the client coordinates worked in.
    const BOOL bAfter = nSide == kSideRight || nSide == kSideBottom;
    std::vector<CDockingNode*> children;
    for (CDockingNode* pChild : VisibleChildren())
    {
        if (pChild == pNode)
            continue;
        if (pChild == pTarget && !bAfter)
            children.push_back(pNode);
        children.push_back(pChild);
        if (pChild == pTarget && bAfter)
            children.push_back(pNode);
    }
    *pRect = ComputeChildRect(m_bHorizontal, children, m_rect, pNode);
    if (m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->ClientToScreen(pRect);
}

void CDockingSplitNode::ComputeWrapRect(CRect* pRect, CDockingNode* pTarget, CDockingNode* pNode, int nSide)
{
    // Worked out on the screen, where a right-to-left frame shows the
    // layout's left and right the other way round.
    nSide = GetHost()->MirrorSide(nSide);
    const BOOL bAfter = nSide == kSideRight || nSide == kSideBottom;
    const std::vector<CDockingNode*> children =
        bAfter ? std::vector<CDockingNode*>{pTarget, pNode} : std::vector<CDockingNode*>{pNode, pTarget};
    *pRect = ComputeChildRect(nSide == kSideLeft || nSide == kSideRight, children, pTarget->GetScreenRect(), pNode);
}

void CDockingSplitNode::InitSplit(CDockingNode* pFirstChild, BOOL bHorizontal, CWnd* pSite)
{
    m_pSite = pSite;
    m_bHorizontal = bHorizontal;
    InsertChild(pFirstChild, nullptr, TRUE);
    m_nDockingCX = pFirstChild->m_nDockingCX;
    m_nDockingCY = pFirstChild->m_nDockingCY;
}

void CDockingSplitNode::InsertChild(CDockingNode* pNode, CDockingNode* pReference, BOOL bAfter)
{
    auto it = std::find(m_children.begin(), m_children.end(), pReference);
    if (bAfter)
        m_children.insert(it == m_children.end() ? m_children.end() : it + 1, pNode);
    else
        m_children.insert(it == m_children.end() ? m_children.begin() : it, pNode);
    pNode->SetParentNode(this);
    pNode->SetSiteWindow(m_pSite);
    MarkSiteForLayout();
    RebuildSplitBars();
    if (m_pParent)
        m_pParent->OnChildrenChanged(this);
    pNode->OnAttachedToParent(this);
}

void CDockingSplitNode::ReplaceChild(CDockingNode* pOldChild, CDockingNode* pNewNode)
{
    auto it = std::find(m_children.begin(), m_children.end(), pOldChild);
    if (it == m_children.end())
        return;
    *it = pNewNode;
    pNewNode->SetParentNode(this);
    RebuildSplitBars();
    if (m_pParent)
        m_pParent->OnChildrenChanged(this);
}

void CDockingSplitNode::RemoveChildNode(CDockingNode* pChild)
{
    auto it = std::find(m_children.begin(), m_children.end(), pChild);
    if (it == m_children.end())
        return;
    m_children.erase(it);
    RebuildSplitBars();
    MarkSiteForLayout();
    if (m_pParent)
        m_pParent->OnChildrenChanged(this);
    if (m_children.empty() && m_pParent)
        m_pParent->RemoveChildNode(this);
    pChild->SetParentNode(nullptr);
}

void CDockingSplitNode::OnChildrenChanged(CDockingNode* pChild)
{
    if (m_pParent)
        m_pParent->OnChildrenChanged(pChild);
    RebuildSplitBars();
    MarkSiteForLayout();
}

void CDockingSplitNode::OnAttachedToParent(CDockingNode* pParent)
{
    m_pSite = pParent->GetSiteWindow();
    RebuildSplitBars();
    for (CDockingNode* pChild : m_children)
        pChild->OnAttachedToParent(pParent);
}

void CDockingSplitNode::StoreCurrentSizes()
{
    (m_bHorizontal ? m_nDockingCX : m_nDockingCY) = AxisOf(m_rect, m_bHorizontal);
    for (CDockingNode* pChild : VisibleChildren())
        (m_bHorizontal ? pChild->m_nDockingCX : pChild->m_nDockingCY) = AxisOf(pChild->GetRect(), m_bHorizontal);
}

void CDockingSplitNode::RebuildSplitBars()
{
    if (m_bInLayout)
        return;
    CDockingHostWnd* pHost = GetHost();
    pHost->OnStructureChanged();
    for (auto& pBar : m_splitBars)
        pHost->RetireSplitBar(std::move(pBar));
    m_splitBars.clear();
    // Bars are windows of the site frame; an arrangement not yet attached
    // (or a split outside any frame) has none.
    if (m_children.size() < 2 || GetArrangement()->IsNotAttached() || !m_pSite || !m_pSite->GetSafeHwnd())
        return;
    CDockingNode* pEarlier = nullptr;
    for (CDockingNode* pChild : m_children)
    {
        if (pChild->IsEmptyNode())
            continue;
        if (pEarlier)
        {
            std::unique_ptr<CDockingSplitBarWnd> pBar = CreateSplitBar();
            if (pBar && pBar->Create(this, pEarlier, pChild))
                m_splitBars.push_back(std::move(pBar));
        }
        pEarlier = pChild;
    }
}

std::unique_ptr<CDockingSplitBarWnd> CDockingSplitNode::CreateSplitBar()
{
    return std::make_unique<CDockingSplitBarWnd>();
}

void CDockingSplitNode::StoreNodeProperties(kit::docking::StoredNode& stored) const
{
    CDockingNode::StoreNodeProperties(stored);
    stored.horizontal = m_bHorizontal != FALSE;
    for (const CDockingNode* pChild : m_children)
        stored.children.push_back(pChild->m_nIndex);
}

BOOL CDockingSplitNode::LoadNodeProperties(const kit::docking::StoredNode& stored)
{
    CDockingNode::LoadNodeProperties(stored);
    m_bHorizontal = stored.horizontal;
    for (const int32_t nIndex : stored.children)
    {
        CDockingNode* pChild = GetArrangement()->GetLoadedNode(nIndex);
        if (!pChild)
            return FALSE;
        InsertChild(pChild, nullptr, TRUE);
    }
    return TRUE;
}
