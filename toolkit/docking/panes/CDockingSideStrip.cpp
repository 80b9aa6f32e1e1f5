#include "CDockingSideStrip.h"

#include <algorithm>

#include "CCommandIcon.h"
#include "CDockingArrangement.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CDrawTools.h"
#include "CKitDockingPaneAutoHideWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CSideStripDropTarget.h"
#include "CTabStripDrawer.h"
#include "DeviceContexts.h"
#include "DockingAnimationSettings.h"
#include "core/StoredArrangement.h"
#include "window/CDC.h"
#include "window/CFrameWnd.h"

using namespace kit::docking;

CDockingSideStrip* AsSideStrip(CDockingNode* pNode)
{
    return pNode && pNode->GetType() == kNodeSideStrip ? static_cast<CDockingSideStrip*>(pNode) : nullptr;
}

CSideStripTabGroup::CSideStripTabGroup(CDockingSideStrip* pStrip) : m_pStrip(pStrip)
{
    // The strip is as long as the frame; its groups never scroll.
    for (const auto& pButton : m_buttons)
        pButton->m_nShowMode = CTabStripButton::kShowNever;
    SetReorderAllowed(FALSE);
}

CTabStripDrawer* CSideStripTabGroup::GetDrawer() const
{
    return m_pStrip->GetDrawer()->m_pAutoHideTabDrawer;
}

void CSideStripTabGroup::RedrawOwner()
{
    if (m_pStrip->GetSafeHwnd())
        m_pStrip->Invalidate(FALSE);
}

int CSideStripTabGroup::GetPosition() const
{
    // The tabs face the client area.
    switch (m_pStrip->GetDirection())
    {
    case kSideLeft:
        return 3;
    case kSideRight:
        return 1;
    case kSideTop:
        return 2;
    default:
        return 0;
    }
}

BOOL CSideStripTabGroup::DrawItemIcon(CDC* pDC, CPoint point, CKitTabManagerItem* pItem, BOOL bDraw, SIZE* pSize)
{
    if (!pItem)
        return TRUE;
    if (!GetDrawer()->m_bShowIcons)
        return FALSE;
    auto* pPane = static_cast<CDockingPaneItem*>(pItem->m_pObject);
    CCommandIcon* pIcon = pPane ? pPane->GetIcon(pSize->cx) : nullptr;
    if (!pIcon)
        return FALSE;
    if (!bDraw)
        return TRUE;
    CIconImage& image = !pItem->m_bEnabled          ? pIcon->GetDisabledImage(TRUE)
                        : pItem == GetHotItem()      ? pIcon->GetHotImage()
                        : pItem == GetSelectedItem() ? pIcon->GetPressedImage()
                                                     : pIcon->GetImage();
    pIcon->Draw(pDC, point, image, *pSize);
    return TRUE;
}

CWnd* CSideStripTabGroup::GetOwnerWindow() const
{
    return m_pStrip;
}

CDockingSideStrip::CDockingSideStrip(CDockingArrangement* pArrangement)
    : CDockingNode(pArrangement, kNodeSideStrip), m_pDropTarget(std::make_unique<CSideStripDropTarget>(this))
{
}

CDockingSideStrip::~CDockingSideStrip()
{
    if (CKitDockingPaneAutoHideWnd* pWnd = m_pAutoHideWnd)
    {
        // The group may be gone before the strip; the window closes without it.
        m_pAutoHideWnd = nullptr;
        pWnd->ForgetContainer();
        pWnd->ForgetStrip();
        pWnd->Dismiss();
    }
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDockingSideStrip::CreateStripWindow(CWnd* pParent)
{
    if (m_hWnd)
        return TRUE;
    if (!pParent || !pParent->GetSafeHwnd())
        return FALSE;
    const CString strClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CreateEx(0, strClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(), pParent, 0))
        return FALSE;
    m_pDropTarget->Register(this);
    return TRUE;
}

BOOL CDockingSideStrip::IsDropTargetRegistered() const
{
    return m_pDropTarget->IsRegistered();
}

void CDockingSideStrip::SlideOutForDrag(CPoint point)
{
    const CDockingPaneDrawer* pDrawer = GetDrawer();
    const CTabStripDrawer* pTabs = pDrawer ? pDrawer->m_pAutoHideTabDrawer : nullptr;
    if (!pTabs || !pTabs->m_bSelectOnDragOver)
        return;
    CDockingPaneItem* pPane = HitTest(point.x, point.y);
    if (!pPane || pPane == GetShownPane())
        return;
    CollapseAutoHideWindow(FALSE);
    SlideOut(pPane, FALSE);
}

int CDockingSideStrip::GetThickness()
{
    CTabStripDrawer* pTabs = GetDrawer()->m_pAutoHideTabDrawer;
    const CRect margins = pTabs->GetShapeMargins();
    CSideStripTabGroup probe(this);
    return pTabs->GetShapeRowHeight(&probe) + margins.top + margins.bottom;
}

void CDockingSideStrip::PlaceStrip(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pLayout)
{
    if (IsEmptyNode())
    {
        CollapseAutoHideWindow(FALSE);
        m_groups.clear();
        if (m_hWnd)
            DestroyWindow();
        return;
    }
    if (!m_hWnd && !CreateStripWindow(pSite))
        return;
    CollapseAutoHideWindow(FALSE);
    const int t = GetThickness();
    CRect band = *pRect;
    switch (m_nDirection)
    {
    case kSideLeft:
        band.right = std::min(band.right, band.left + t);
        pRect->left = band.right;
        break;
    case kSideRight:
        band.left = std::max(band.left, band.right - t);
        pRect->right = band.left;
        break;
    case kSideTop:
        band.bottom = std::min(band.bottom, band.top + t);
        pRect->top = band.bottom;
        break;
    default:
        band.top = std::max(band.top, band.bottom - t);
        pRect->bottom = band.top;
        break;
    }
    m_rect = band;
    {
        CClientDC dc(this);
        LayoutGroups(&dc, CRect(0, 0, band.Width(), band.Height()));
    }
    if (pLayout && pLayout->hDWP)
    {
        MoveWindow(&band, TRUE);
        Invalidate(FALSE);
    }
}

void CDockingSideStrip::LayoutGroups(CDC* pDC, CRect rect)
{
    const BOOL bAlongX = m_nDirection == kSideTop || m_nDirection == kSideBottom;
    if (!bAlongX)
    {
        // The corner belongs to a top strip that shows tabs.
        if (CDockingNode* pTop = GetArrangement()->GetSideStrip(kSideTop); pTop && !pTop->IsEmptyNode())
            rect.top += GetThickness();
    }
    m_groups.clear();
    CTabStripDrawer* pTabs = GetDrawer()->m_pAutoHideTabDrawer;
    const CRect margins = pTabs->GetShapeMargins();
    for (CDockingNode* pNode : m_containers)
    {
        CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pNode);
        if (!pContainer || pContainer->IsEmptyNode())
            continue;
        auto pGroup = std::make_unique<CSideStripTabGroup>(this);
        for (int i = 0; i < pContainer->GetPaneCount(); ++i)
        {
            CDockingPaneItem* pPane = pContainer->GetPaneAt(i);
            CKitTabManagerItem* pItem = pGroup->InsertItem(pGroup->GetItemCount());
            pItem->m_strCaption = pPane->GetTabCaption();
            pItem->m_crColor = static_cast<COLORREF>(pPane->GetTabColor());
            pItem->m_strTooltip = pPane->GetTitle();
            pItem->m_pObject = pPane;
            if (pPane == pContainer->GetSelectedPane())
                pGroup->SetSelectedItem(pItem);
        }
        pTabs->RepositionTabs(pGroup.get(), pDC, rect);
        pGroup->m_rect = rect;
        const int nAdvance = pGroup->GetTotalTabLength() + margins.left + margins.right + 8;
        if (bAlongX)
            rect.left += nAdvance;
        else
            rect.top += nAdvance;
        m_groups.push_back(std::move(pGroup));
    }
}

void CDockingSideStrip::RebuildGroups()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    LayoutGroups(&dc, client);
    Invalidate(FALSE);
}

void CDockingSideStrip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDoubleBufferDC buffer(dc.GetSafeHdc(), client);
    CTabStripDrawer* pTabs = GetDrawer()->m_pAutoHideTabDrawer;
    const CStyleGradient& gradient = pTabs->GetPalette()->m_headerGradient2;
    const COLORREF crFrom = gradient.light.GetValue();
    const COLORREF crTo = gradient.dark.GetValue();
    if (crFrom == crTo)
    {
        buffer.FillSolidRect(&client, crFrom);
    }
    else
    {
        // One gradient runs across the whole frame, so that the strips of
        // both sides continue it.
        CRect reference = client;
        if (m_nDirection == kSideRight && GetParent())
        {
            GetParent()->GetWindowRect(&reference);
            ScreenToClient(&reference);
        }
        const int nHalfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
        if (reference.Width() < nHalfScreen)
        {
            if (m_nDirection == kSideRight)
                reference.left = reference.right - nHalfScreen;
            else
                reference.right = reference.left + nHalfScreen;
        }
        CDrawTools::GradientFillClipped(&buffer, &reference, crFrom, crTo, TRUE, &client);
    }
    for (const auto& pGroup : m_groups)
        pTabs->DrawTabStrip(pGroup.get(), &buffer, pGroup->m_rect);
}

CDockingPaneItem* CDockingSideStrip::HitTest(int x, int y) const
{
    for (const auto& pGroup : m_groups)
        if (const CKitTabManagerItem* pItem = pGroup->HitTest(x, y))
            return static_cast<CDockingPaneItem*>(pItem->m_pObject);
    return nullptr;
}

CDockingPaneItem* CDockingSideStrip::GetShownPane() const
{
    if (!m_pAutoHideWnd || !m_pAutoHideWnd->GetContainer())
        return nullptr;
    return m_pAutoHideWnd->GetContainer()->GetSelectedPane();
}

void CDockingSideStrip::OnMouseMove(CPoint point)
{
    for (const auto& pGroup : m_groups)
        pGroup->OnMouseMove(this, point.x, point.y);
    if (HitTest(point.x, point.y))
    {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd,
                              static_cast<DWORD>(DockingAnimationSettings::kStripHoverTime)};
        ::_TrackMouseEvent(&track);
    }
}

void CDockingSideStrip::OnMouseHover(CPoint point)
{
    CDockingPaneItem* pPane = HitTest(point.x, point.y);
    if (!pPane)
        return;
    CWnd* pTop = GetTopLevelParent();
    if (!pTop || pTop->GetSafeHwnd() != ::GetActiveWindow())
        return;
    if (pPane == GetShownPane())
        return;
    CollapseAutoHideWindow(FALSE);
    SlideOut(pPane, FALSE);
}

void CDockingSideStrip::OnLButtonDown(CPoint point)
{
    CDockingPaneItem* pPane = HitTest(point.x, point.y);
    if (!pPane)
        return;
    if (pPane == GetShownPane())
    {
        pPane->Focus();
        return;
    }
    CollapseAutoHideWindow(FALSE);
    SlideOut(pPane, TRUE);
}

void CDockingSideStrip::OnRButtonDown(CPoint point)
{
    CDockingPaneItem* pPane = HitTest(point.x, point.y);
    CWnd* pSite = GetHost()->GetSiteFrame();
    if (pPane && pSite && pSite->GetSafeHwnd())
        ::SendMessageW(pSite->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventRightClick,
                       reinterpret_cast<LPARAM>(static_cast<CDockingNode*>(pPane)));
}

void CDockingSideStrip::SlideOut(CDockingPaneItem* pPane, BOOL bActivate)
{
    CDockingHostWnd* pHost = GetHost();
    CKitDockingPaneTabbedContainer* pContainer = pPane ? AsTabbedContainer(pPane->GetParentNode()) : nullptr;
    // A tab can only stand for a pane that is still in one of this strip's groups.
    if (!pContainer || pContainer->GetParentNode() != this || !pContainer->GetSafeHwnd())
        return;
    if (pHost->NotifyAction(kActionSlidingOut, pPane, nullptr, 0))
        return;
    CKitDockingPaneAutoHideWnd* pWnd = CKitDockingPaneAutoHideWnd::Open(this, pContainer);
    if (!pWnd)
        return;
    pContainer->SelectPane(pPane, bActivate, FALSE);
    Invalidate(FALSE);
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pHost->GetSiteFrame()))
        pFrame->RecalcLayout(TRUE);
    m_pAutoHideWnd = pWnd;
    if (bActivate)
        pPane->Focus();
}

void CDockingSideStrip::CollapseAutoHideWindow(BOOL bDeferred)
{
    CKitDockingPaneAutoHideWnd* pWnd = m_pAutoHideWnd;
    if (!DockingAnimationSettings::kAutoCollapse || !pWnd)
        return;
    CDockingHostWnd* pHost = GetHost();
    if (CKitDockingPaneTabbedContainer* pContainer = pWnd->GetContainer())
    {
        CDockingPaneItem* pPane = pContainer->GetSelectedPane();
        if (pHost->NotifyAction(kActionSlidingIn, pPane, nullptr, 0))
            return;
        pHost->NotifyAction(kActionSlidIn, pPane, nullptr, 0);
    }
    m_pAutoHideWnd = nullptr;
    if (bDeferred)
    {
        // The caller may be inside a message of the group or of the window:
        // the group goes back to the frame now, the window closes shortly.
        if (CKitDockingPaneTabbedContainer* pContainer = pWnd->GetContainer())
        {
            if (pContainer->GetSafeHwnd())
                pContainer->ShowWindow(SW_HIDE);
            pContainer->SetSiteWindow(pHost->GetSiteFrame());
        }
        pWnd->ForgetContainer();
        pWnd->ForgetStrip();
        pWnd->SetTimer(4, 50, nullptr);
    }
    else
    {
        pWnd->Dismiss();
        pWnd->ForgetStrip();
    }
}

void CDockingSideStrip::ForgetAutoHideWnd(CKitDockingPaneAutoHideWnd* pWnd)
{
    if (m_pAutoHideWnd == pWnd)
        m_pAutoHideWnd = nullptr;
}

void CDockingSideStrip::AddContainer(CDockingNode* pContainer)
{
    if (!pContainer)
        return;
    m_containers.push_back(pContainer);
    pContainer->SetParentNode(this);
    pContainer->SetSiteWindow(m_pSite);
    MarkSiteForLayout();
    pContainer->OnAttachedToParent(this);
    // The focus must not stay in a window that has just been hidden.
    const HWND hFocus = ::GetFocus();
    const HWND hContainer = pContainer->GetNodeWindow();
    if (hContainer && hFocus && (hFocus == hContainer || ::IsChild(hContainer, hFocus)))
        if (CWnd* pFrame = GetHost()->GetSiteFrame(); pFrame && pFrame->GetSafeHwnd())
            pFrame->SetFocus();
    if (m_hWnd)
        Invalidate(FALSE);
}

void CDockingSideStrip::RemoveChildNode(CDockingNode* pChild)
{
    const auto it = std::find(m_containers.begin(), m_containers.end(), pChild);
    if (it == m_containers.end())
        return;
    if (m_pAutoHideWnd && static_cast<CDockingNode*>(m_pAutoHideWnd->GetContainer()) == pChild)
        CollapseAutoHideWindow(TRUE);
    m_containers.erase(it);
    if (m_hWnd)
        Invalidate(FALSE);
    MarkSiteForLayout();
    if (IsEmptyNode())
    {
        m_groups.clear();
        if (m_hWnd)
            DestroyWindow();
    }
    else
    {
        RebuildGroups();
    }
    pChild->SetParentNode(nullptr);
}

BOOL CDockingSideStrip::IsEmptyNode() const
{
    return std::all_of(m_containers.begin(), m_containers.end(), [](const CDockingNode* p) { return p->IsEmptyNode(); });
}

BOOL CDockingSideStrip::ContainsNode(const CDockingNode* pNode) const
{
    if (pNode == this)
        return TRUE;
    return std::any_of(m_containers.begin(), m_containers.end(),
                       [pNode](const CDockingNode* p) { return p->ContainsNode(pNode); });
}

void CDockingSideStrip::CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes)
{
    for (CDockingNode* pNode : m_containers)
        pNode->CollectNodesOfType(nType, nodes);
}

void CDockingSideStrip::RefreshNode(BOOL /*bShowPanes*/)
{
    RebuildGroups();
}

void CDockingSideStrip::OnChildrenChanged(CDockingNode* /*pChild*/)
{
    if (m_pAutoHideWnd)
    {
        if (DockingAnimationSettings::kAutoCollapse)
            CollapseAutoHideWindow(GetHost()->m_bMovingPane);
        else
            m_pAutoHideWnd->RecalcLayout(TRUE);
    }
    // A pane closed or moved away takes its tab along at once, so no tab is
    // left standing for a pane that is gone.
    RebuildGroups();
    MarkFrameForLayout(GetHost()->GetSiteFrame());
}

void CDockingSideStrip::StoreNodeProperties(StoredNode& stored) const
{
    CDockingNode::StoreNodeProperties(stored);
    stored.direction = m_nDirection;
    for (const CDockingNode* pNode : m_containers)
        stored.children.push_back(pNode->m_nIndex);
}

BOOL CDockingSideStrip::LoadNodeProperties(const StoredNode& stored)
{
    CDockingNode::LoadNodeProperties(stored);
    if (stored.direction < kSideLeft || stored.direction > kSideBottom)
        return FALSE;
    m_nDirection = stored.direction;
    for (const int32_t nIndex : stored.children)
    {
        CDockingNode* pNode = GetArrangement()->GetLoadedNode(nIndex);
        if (!pNode || (pNode->GetType() != kNodeTabbedContainer && pNode->GetType() != kNodeSplit))
            return FALSE;
        AddContainer(pNode);
    }
    GetArrangement()->SetSideStrip(m_nDirection, this);
    return TRUE;
}

LRESULT CDockingSideStrip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_DESTROY:
        // The registration holds the window; it goes before the window does.
        m_pDropTarget->Revoke();
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(point);
        break;
    case WM_MOUSELEAVE:
        OnMouseMove(CPoint(-1, -1));
        break;
    case WM_MOUSEHOVER:
        OnMouseHover(point);
        return 1;
    case WM_LBUTTONDOWN:
        OnLButtonDown(point);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(point);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
