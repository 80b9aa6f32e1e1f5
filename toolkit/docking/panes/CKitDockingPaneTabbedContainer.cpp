#include "CKitDockingPaneTabbedContainer.h"

#include <algorithm>

#include "CDockingArrangement.h"
#include "CDockingCaptionButton.h"
#include "CDockingDragTracker.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CCommandIcon.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitNode.h"
#include "CScreenTipContext.h"
#include "CTabbedContainerDropTarget.h"
#include "CToolkitResources.h"
#include "DeviceContexts.h"
#include "core/StoredArrangement.h"
#include "window/AfxMessages.h"
#include "window/CDC.h"
#include "window/CFrameWnd.h"

using namespace kit::docking;

namespace {

// Caption buttons in the order they are placed from the far end.
constexpr int kButtonOrder[] = {kButtonClose, kButtonMaximize, kButtonRestore, kButtonAutoHide, kButtonMenu};

struct DockingMenuRecord
{
    CDockingPaneItem* pPane;
    int x;
    int y;
    RECT rectExclude;
};

}  // namespace

void CContainerTabStrip::Relayout()
{
    if (m_pContainer->m_nLayoutDepth == 0)
        m_pContainer->GetHost()->RecalcAllFrames();
}

CTabStripDrawer* CContainerTabStrip::GetDrawer() const
{
    return m_pContainer->GetDrawer()->m_pPaneTabDrawer;
}

void CContainerTabStrip::RedrawOwner()
{
    if (m_pContainer->m_nLayoutDepth == 0 && m_pContainer->GetSafeHwnd())
        m_pContainer->Invalidate(FALSE);
}

BOOL CContainerTabStrip::DrawItemIcon(CDC* pDC, CPoint point, CKitTabManagerItem* pItem, BOOL bDraw, SIZE* pSize)
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
    CIconImage& image = !pItem->m_bEnabled            ? pIcon->GetDisabledImage(TRUE)
                        : pItem == GetHotItem()        ? pIcon->GetHotImage()
                        : pItem == GetSelectedItem()   ? pIcon->GetPressedImage()
                                                       : pIcon->GetImage();
    pIcon->Draw(pDC, point, image, *pSize);
    return TRUE;
}

CWnd* CContainerTabStrip::GetOwnerWindow() const
{
    return m_pContainer;
}

void CContainerTabStrip::OnItemClick(CKitTabManagerItem* pItem)
{
    CTabStrip::OnItemClick(pItem);
    if (auto* pPane = static_cast<CDockingPaneItem*>(pItem->m_pObject))
        m_pContainer->SelectPane(pPane, TRUE, FALSE);
}

CKitDockingPaneTabbedContainer::CKitDockingPaneTabbedContainer(CDockingArrangement* pArrangement)
    : CDockingNode(pArrangement, kNodeTabbedContainer)
{
    for (const int nId : kButtonOrder)
        m_captionButtons.push_back(std::make_unique<CDockingCaptionButton>(nId, this));
    // The group drags its tabs itself: sideways they swap places, off the
    // row the pane is torn off into a docking drag.
    m_tabStrip.SetReorderAllowed(FALSE);
    m_pDropTarget = std::make_unique<CTabbedContainerDropTarget>(this);
}

void CKitDockingPaneTabbedContainer::UpdateTabs()
{
    if (!m_hWnd)
        return;
    ++m_nLayoutDepth;
    m_tabStrip.DeleteAllItems();
    for (CDockingPaneItem* pPane : m_panes)
    {
        CKitTabManagerItem* pItem = m_tabStrip.InsertItem(m_tabStrip.GetItemCount());
        pItem->m_strCaption = pPane->GetTabCaption();
        pItem->m_crColor = static_cast<COLORREF>(pPane->GetTabColor());
        pItem->m_strTooltip = pPane->GetTitle();
        pItem->m_pObject = pPane;
        if (pPane == m_pSelected)
            m_tabStrip.SetSelectedItem(pItem);
    }
    for (const auto& pButton : m_captionButtons)
        pButton->CheckHover(-1, -1);
    --m_nLayoutDepth;
}

CKitDockingPaneTabbedContainer::~CKitDockingPaneTabbedContainer()
{
    if (m_hWnd)
        DestroyWindow();
}

CKitDockingPaneTabbedContainer* AsTabbedContainer(CDockingNode* pNode)
{
    return pNode && pNode->GetType() == kNodeTabbedContainer ? static_cast<CKitDockingPaneTabbedContainer*>(pNode)
                                                              : nullptr;
}

BOOL CKitDockingPaneTabbedContainer::CreateContainerWindow()
{
    if (m_hWnd)
        return TRUE;
    if (m_panes.empty() && m_pSite == nullptr)
        return FALSE;
    if (GetArrangement()->IsNotAttached() || !m_pSite || !m_pSite->GetSafeHwnd())
        return FALSE;
    const LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CreateEx(0, pszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(), m_pSite, 0))
        return FALSE;
    m_pDropTarget->Register(this);
    return TRUE;
}

BOOL CKitDockingPaneTabbedContainer::IsDropTargetRegistered() const
{
    return m_pDropTarget->IsRegistered();
}

void CKitDockingPaneTabbedContainer::AddPane(CDockingPaneItem* pPane, BOOL bActivate)
{
    CreateContainerWindow();
    m_panes.push_back(pPane);
    pPane->SetParentNode(this);
    pPane->SetSiteWindow(m_pSite);
    MarkSiteForLayout();
    SelectPane(pPane, bActivate, TRUE);
    if (m_pParent)
        m_pParent->OnChildrenChanged(this);
}

void CKitDockingPaneTabbedContainer::InitFromPane(CDockingPaneItem* pPane, CWnd* pSite)
{
    m_nDockingCX = pPane->m_nDockingCX;
    m_nDockingCY = pPane->m_nDockingCY;
    m_rect = pPane->GetRect();
    m_pSite = pSite;
    AddPane(pPane, FALSE);
    SelectPane(pPane, TRUE, TRUE);
}

void CKitDockingPaneTabbedContainer::SelectPane(CDockingPaneItem* pPane, BOOL bActivate, BOOL bDeferLayout)
{
    if (pPane != m_pSelected)
    {
        m_pSelected = pPane;
        if (bDeferLayout)
        {
            MarkSiteForLayout();
            if (m_pParent)
                m_pParent->OnChildrenChanged(this);
        }
        else
        {
            RefreshNode(TRUE);
        }
    }
    if (bActivate && pPane)
    {
        if (m_bActive)
            GetHost()->MarkPaneActive(TRUE, pPane);
        pPane->Focus();
    }
}

BOOL CKitDockingPaneTabbedContainer::IsCaptionVertical() const
{
    switch (GetHost()->m_nCaptionOrientation)
    {
    case 1:
        return TRUE;
    case 2: {
        const int nSide = GetHost()->GetNodeSide(const_cast<CKitDockingPaneTabbedContainer*>(this));
        return nSide == kSideTop || nSide == kSideBottom;
    }
    case 3:
        return m_rect.Height() < m_rect.Width();
    default:
        return FALSE;
    }
}

BOOL CKitDockingPaneTabbedContainer::ShowsTabRow() const
{
    // Slid out from a side strip, the strip's tabs stand for the group's.
    if (!m_hWnd || IsAutoHidden())
        return FALSE;
    const CDockingPaneDrawer* pDrawer = GetDrawer();
    return m_panes.size() > 1 || (pDrawer && pDrawer->m_bAlwaysShowTabs);
}

BOOL CKitDockingPaneTabbedContainer::HasCaption() const
{
    return m_bCaption && m_pSelected && !(m_pSelected->GetEffectiveOptions() & kPaneNoCaption);
}

CString CKitDockingPaneTabbedContainer::GetTitle() const
{
    return m_pSelected ? m_pSelected->GetTitle() : CString();
}

CDockingPaneItem* CKitDockingPaneTabbedContainer::GetPaneAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaneCount() ? m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

BOOL CKitDockingPaneTabbedContainer::ContainsNode(const CDockingNode* pNode) const
{
    if (pNode == this)
        return TRUE;
    return std::any_of(m_panes.begin(), m_panes.end(), [pNode](const CDockingPaneItem* p) { return p->ContainsNode(pNode); });
}

void CKitDockingPaneTabbedContainer::CollectNodesOfType(int nType, std::vector<CDockingNode*>& nodes)
{
    for (CDockingPaneItem* pPane : m_panes)
        pPane->CollectNodesOfType(nType, nodes);
}

namespace {

std::vector<CKitDockingPaneTabbedContainer*> TabbedChildren(const CDockingSplitNode* pSplit)
{
    std::vector<CKitDockingPaneTabbedContainer*> groups;
    if (pSplit)
        for (CDockingNode* pChild : pSplit->GetChildren())
            if (CKitDockingPaneTabbedContainer* pGroup = AsTabbedContainer(pChild))
                groups.push_back(pGroup);
    return groups;
}

}  // namespace

void CKitDockingPaneTabbedContainer::GetTrackLimits(MINMAXINFO* pInfo)
{
    CDockingNode::GetTrackLimits(pInfo);
    if (m_panes.empty())
        return;
    const CDockingSplitNode* pSplit = AsSplitNode(m_pParent);
    const std::vector<CKitDockingPaneTabbedContainer*> siblings = TabbedChildren(pSplit);
    if (std::any_of(siblings.begin(), siblings.end(),
                    [this](const CKitDockingPaneTabbedContainer* p) { return p != this && p->m_bMaximized; }))
    {
        // A neighbour is maximized: only the caption and tabs stay.
        (pSplit->IsHorizontal() ? pInfo->ptMaxTrackSize.x : pInfo->ptMaxTrackSize.y) = 0;
    }
    else
    {
        for (CDockingPaneItem* pPane : m_panes)
        {
            MINMAXINFO pane{};
            pPane->GetTrackLimits(&pane);
            pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, pane.ptMinTrackSize.x);
            pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, pane.ptMinTrackSize.y);
            pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, pane.ptMaxTrackSize.x);
            pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, pane.ptMaxTrackSize.y);
        }
    }
    // The caption band and the tab row come on top of the panes' own limits.
    if (CDockingPaneDrawer* pDrawer = GetDrawer())
    {
        CRect rect(0, 0, 1000, 1000);
        pDrawer->LayoutTabbedContainer(this, &rect, FALSE);
        const int cx = 1000 - rect.Width();
        const int cy = 1000 - rect.Height();
        pInfo->ptMinTrackSize.x += cx;
        pInfo->ptMinTrackSize.y += cy;
        pInfo->ptMaxTrackSize.x += cx;
        pInfo->ptMaxTrackSize.y += cy;
    }
}

void CKitDockingPaneTabbedContainer::PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    SetSiteWindow(pSite);
    m_rect = rect;
    if (pLayout && !pLayout->hDWP)
        return;
    if (!m_hWnd)
        return;
    ::SetWindowPos(m_hWnd, HWND_BOTTOM, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    Invalidate(FALSE);
    UpdateTabs();
    if (CDockingCaptionButton* pAutoHide = FindCaptionButton(kButtonAutoHide))
        pAutoHide->m_nState = IsAutoHidden() ? kButtonStateAutoHideApplies | kButtonStatePaneAutoHidden
                                             : (pSite == GetHost()->GetSiteFrame() ? kButtonStateAutoHideApplies : 0);
    CRect client(0, 0, rect.Width(), rect.Height());
    GetDrawer()->LayoutTabbedContainer(this, &client, TRUE);
    // The panes' rectangles are in the site's coordinates; their windows
    // are mapped into this window.
    client.OffsetRect(rect.left, rect.top);
    for (CDockingPaneItem* pPane : m_panes)
    {
        if (pPane == m_pSelected)
            pPane->PlaceInRect(pSite, client, pLayout);
        else
            pPane->SetVisible(FALSE);
    }
}

void CKitDockingPaneTabbedContainer::RefreshNode(BOOL bShowPanes)
{
    if (!m_hWnd || !m_pParent || m_nLayoutDepth != 0)
        return;
    ++m_nLayoutDepth;
    CRect client(0, 0, m_rect.Width(), m_rect.Height());
    GetDrawer()->LayoutTabbedContainer(this, &client, TRUE);
    client.OffsetRect(m_rect.left, m_rect.top);
    if (bShowPanes)
        for (CDockingPaneItem* pPane : m_panes)
        {
            pPane->SetVisible(pPane == m_pSelected);
            if (pPane == m_pSelected)
                pPane->PlaceInRect(m_pSite, client, nullptr);
        }
    Invalidate(FALSE);
    --m_nLayoutDepth;
    m_pParent->RefreshNode(bShowPanes);
}

void CKitDockingPaneTabbedContainer::OnIdleUpdate()
{
    if (!m_hWnd)
        return;
    const HWND hFocus = ::GetFocus();
    BOOL bActive = hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (!bActive && hFocus)
    {
        HWND hOwner = ::GetWindow(hFocus, GW_OWNER);
        if (!hOwner)
            hOwner = ::GetParent(hFocus);
        bActive = hOwner && (hOwner == m_hWnd || ::IsChild(m_hWnd, hOwner));
    }
    CDockingHostWnd* pHost = GetHost();
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        pHost->MarkPaneActive(bActive, m_pSelected);
        Invalidate(FALSE);
    }
    else if (bActive && pHost->GetActivePane() != m_pSelected)
    {
        pHost->MarkPaneActive(TRUE, m_pSelected);
    }
    if (m_pSelected && ::IsWindow(m_pSelected->GetAttachedWindow()))
        ::SendMessageW(m_pSelected->GetAttachedWindow(), WM_IDLEUPDATECMDUI, 0, 0);
}

void CKitDockingPaneTabbedContainer::SetSiteWindow(CWnd* pSite)
{
    m_pSite = pSite;
    if (m_hWnd && pSite && pSite->GetSafeHwnd() && ::GetParent(m_hWnd) != pSite->GetSafeHwnd())
        ::SetParent(m_hWnd, pSite->GetSafeHwnd());
    for (CDockingPaneItem* pPane : m_panes)
        pPane->SetSiteWindow(pSite);
}

void CKitDockingPaneTabbedContainer::OnAttachedToParent(CDockingNode* pParent)
{
    SetSiteWindow(pParent->GetSiteWindow());
    m_bCaption = TRUE;
    if (m_hWnd && pParent->GetType() == kNodeSideStrip)
        ShowWindow(SW_HIDE);
}

BOOL CKitDockingPaneTabbedContainer::IsAutoHidden() const
{
    return m_pParent && m_pParent->GetType() == kNodeSideStrip;
}

void CKitDockingPaneTabbedContainer::RemoveChildNode(CDockingNode* pChild)
{
    CDockingPaneItem* pPane = AsPane(pChild);
    const auto it = std::find(m_panes.begin(), m_panes.end(), pPane);
    if (it == m_panes.end())
        return;
    m_panes.erase(it);
    pPane->SetParentNode(nullptr);
    UpdateTabs();
    if (m_pParent)
        m_pParent->OnChildrenChanged(this);
    if (m_panes.empty() && m_hWnd)
        DestroyWindow();
    MarkSiteForLayout();
    if (pPane == m_pSelected)
    {
        // The selection goes to the last tab; with no pane left there is
        // nothing to select, and nothing may be asked of a null pane.
        m_pSelected = nullptr;
        if (!m_panes.empty())
            SelectPane(m_panes.back(), TRUE, FALSE);
    }
}

BOOL CKitDockingPaneTabbedContainer::IsCaptionButtonVisible(CDockingCaptionButton* pButton) const
{
    const int nOptions = m_pSelected ? m_pSelected->GetEffectiveOptions() : 0;
    switch (pButton->GetId())
    {
    case kButtonAutoHide:
        return m_pSelected && !(nOptions & kPaneNoAutoHide) && (pButton->m_nState & kButtonStateAutoHideApplies);
    case kButtonClose:
        return m_pSelected && !(nOptions & kPaneNoClose);
    case kButtonMaximize:
        return CanMaximize();
    case kButtonRestore:
        return CanRestore();
    case kButtonMenu:
        return m_pSelected && (nOptions & kPaneCaptionMenu);
    default:
        return TRUE;
    }
}

void CKitDockingPaneTabbedContainer::StoreNodeProperties(StoredNode& stored) const
{
    CDockingNode::StoreNodeProperties(stored);
    for (const CDockingPaneItem* pPane : m_panes)
        stored.children.push_back(pPane->m_nIndex);
    stored.selected = m_pSelected ? m_pSelected->m_nIndex : 0;
}

BOOL CKitDockingPaneTabbedContainer::LoadNodeProperties(const StoredNode& stored)
{
    CDockingNode::LoadNodeProperties(stored);
    for (const int32_t nIndex : stored.children)
    {
        CDockingPaneItem* pPane = AsPane(GetArrangement()->GetLoadedNode(nIndex));
        if (!pPane)
            return FALSE;
        AddPane(pPane, FALSE);
    }
    if (CDockingPaneItem* pSelected = AsPane(GetArrangement()->GetLoadedNode(stored.selected)))
        SelectPane(pSelected, FALSE, TRUE);
    return TRUE;
}

int CKitDockingPaneTabbedContainer::HitTest(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return -1;
    CRect content = client;
    GetDrawer()->AdjustCaptionRect(const_cast<CKitDockingPaneTabbedContainer*>(this), &content);
    if (HasCaption() && !content.PtInRect(point))
        return -2;
    if (ShowsTabRow())
        if (const CKitTabManagerItem* pItem = m_tabStrip.HitTest(point.x, point.y))
            return pItem->m_nIndex;
    return -1;
}

void CKitDockingPaneTabbedContainer::ShowCaption(BOOL bShow)
{
    if (m_bCaption == bShow)
        return;
    m_bCaption = bShow;
    MarkSiteForLayout();
}

BOOL CKitDockingPaneTabbedContainer::IsInDropArea(CRect* pRect, int x, int y) const
{
    const CPoint point(x, y);
    CRect caption = *pRect;
    if (m_bCaption)
    {
        const int nBand = GetDrawer()->m_nCaptionHeight + 3;
        if (IsCaptionVertical())
        {
            caption.right = caption.left + nBand;
            pRect->left = caption.right;
        }
        else
        {
            caption.bottom = caption.top + nBand;
            pRect->top = caption.bottom;
        }
    }
    else
    {
        // The frame's own caption above the group stands for its caption.
        CRect window;
        if (m_pSite && m_pSite->GetSafeHwnd())
            m_pSite->GetWindowRect(&window);
        caption = IsCaptionVertical() ? CRect(window.left, pRect->top, pRect->left, pRect->bottom)
                                      : CRect(pRect->left, window.top, pRect->right, pRect->top);
    }
    if (caption.PtInRect(point))
        return TRUE;
    if (!ShowsTabRow())
        return FALSE;
    const CRect tabs(pRect->left, pRect->bottom - GetDrawer()->m_nTabRowHeight, pRect->right, pRect->bottom);
    pRect->bottom = tabs.top;
    return tabs.PtInRect(point);
}

void CKitDockingPaneTabbedContainer::StartDrag(CPoint screen)
{
    Activate();
    if (::GetKeyState(VK_LBUTTON) < 0)
        GetHost()->GetDragTracker()->BeginDrag(this, screen.x, screen.y);
}

void CKitDockingPaneTabbedContainer::Activate()
{
    if (m_pSelected && ::IsWindow(m_pSelected->GetAttachedWindow()))
        m_pSelected->Focus();
    else if (m_hWnd)
        SetFocus();
    GetHost()->IdleUpdatePanes();
}

void CKitDockingPaneTabbedContainer::ClosePane(CDockingPaneItem* pPane)
{
    CDockingHostWnd* pHost = GetHost();
    if (pHost->NotifyAction(kActionClosing, pPane, nullptr, 0))
        return;
    pPane->Close();
    pHost->NotifyAction(kActionClosed, pPane, nullptr, 0);
}

BOOL CKitDockingPaneTabbedContainer::IsMaximizable() const
{
    const CDockingSplitNode* pSplit = AsSplitNode(m_pParent);
    return GetHost()->m_bMaximizeButtons && pSplit && TabbedChildren(pSplit).size() > 1;
}

BOOL CKitDockingPaneTabbedContainer::CanMaximize() const
{
    return IsMaximizable() && !m_bMaximized;
}

BOOL CKitDockingPaneTabbedContainer::CanRestore() const
{
    return IsMaximizable() && m_bMaximized;
}

void CKitDockingPaneTabbedContainer::Maximize()
{
    for (CKitDockingPaneTabbedContainer* pGroup : TabbedChildren(AsSplitNode(m_pParent)))
        pGroup->m_bMaximized = pGroup == this;
    RelayoutSite();
}

void CKitDockingPaneTabbedContainer::Restore()
{
    m_bMaximized = FALSE;
    RelayoutSite();
}

void CKitDockingPaneTabbedContainer::RelayoutSite()
{
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(m_pSite); pFrame && pFrame->GetSafeHwnd())
        pFrame->RecalcLayout(TRUE);
    else
        MarkSiteForLayout();
    if (m_hWnd)
        Invalidate(FALSE);
}

void CKitDockingPaneTabbedContainer::OnCaptionButton(CDockingCaptionButton* pButton)
{
    if (pButton->GetId() == kButtonAutoHide)
    {
        OnAutoHideButton();
        return;
    }
    if (pButton->GetId() == kButtonMaximize)
    {
        Maximize();
        return;
    }
    if (pButton->GetId() == kButtonRestore)
    {
        Restore();
        return;
    }
    if (pButton->GetId() != kButtonClose || !m_pSelected)
        return;
    if (!GetHost()->m_bCloseWholeGroup)
    {
        ClosePane(m_pSelected);
        return;
    }
    // Closing empties the list from its end; a copy keeps the walk sound.
    const std::vector<CDockingPaneItem*> panes(m_panes.rbegin(), m_panes.rend());
    for (CDockingPaneItem* pPane : panes)
        if (!(pPane->GetEffectiveOptions() & kPaneNoClose))
            ClosePane(pPane);
}

BOOL CKitDockingPaneTabbedContainer::OnMenuButton(CDockingCaptionButton* pButton)
{
    if (pButton->GetId() != kButtonMenu)
        return FALSE;
    if (!m_pSelected)
        return TRUE;
    pButton->m_bPressed = TRUE;
    Invalidate(FALSE);
    CRect rect = pButton->m_rect;
    ClientToScreen(&rect);
    DockingMenuRecord record{m_pSelected, rect.left, rect.bottom, rect};
    if (CWnd* pSite = GetHost()->GetSiteFrame(); pSite && pSite->GetSafeHwnd())
        ::SendMessageW(pSite->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventCaptionMenu,
                       reinterpret_cast<LPARAM>(&record));
    pButton->m_bPressed = FALSE;
    if (m_hWnd)
        Invalidate(FALSE);
    return TRUE;
}

void CKitDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDoubleBufferDC buffer(dc.GetSafeHdc(), client);
    if (CDockingPaneDrawer* pDrawer = GetDrawer())
        pDrawer->DrawTabbedContainer(&buffer, this, client);
}

void CKitDockingPaneTabbedContainer::OnLButtonDown(CPoint point)
{
    for (const auto& pButton : m_captionButtons)
    {
        if (!pButton->m_rect.PtInRect(point))
            continue;
        Activate();
        if (m_pSelected && OnMenuButton(pButton.get()))
            return;
        // The command may close this group; the host outlives it.
        if (pButton->TrackClick(this, point.x, point.y, TRUE) && m_pSelected)
            OnCaptionButton(pButton.get());
        return;
    }
    if (ShowsTabRow() && m_tabStrip.OnLButtonDown(this, point.x, point.y, TRUE))
        return;
    const int nHit = HitTest(point);
    if (nHit == -2)
    {
        if (IsAutoHidden())
        {
            Activate();
            return;
        }
        CPoint screen = point;
        ClientToScreen(&screen);
        StartDrag(screen);
        return;
    }
    if (CDockingPaneItem* pPane = nHit >= 0 ? GetPaneAt(nHit) : nullptr)
    {
        m_savedTabRects.clear();
        for (int i = 0; i < m_tabStrip.GetItemCount(); ++i)
            m_savedTabRects.push_back(m_tabStrip.GetItem(i)->m_rect);
        m_pDragged = pPane;
        SelectPane(pPane, TRUE, FALSE);
        m_tabStrip.OnMouseMove(this, point.x, point.y);
        SetCapture();
        Invalidate(FALSE);
        return;
    }
    Activate();
}

void CKitDockingPaneTabbedContainer::EndTabDrag()
{
    m_pDragged = nullptr;
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKitDockingPaneTabbedContainer::OnKeyDown(UINT nKey)
{
    if (ShowsTabRow())
        m_tabStrip.OnKeyDown(this, nKey);
}

void CKitDockingPaneTabbedContainer::OnRButtonDown(CPoint point)
{
    // The menu asked for is about the pane whose tab was clicked.
    const int nHit = HitTest(point);
    if (CDockingPaneItem* pPane = nHit >= 0 ? GetPaneAt(nHit) : nullptr)
    {
        SelectPane(pPane, TRUE, TRUE);
        RelayoutSite();
    }
    Activate();
    if (CWnd* pSite = GetHost()->GetSiteFrame(); pSite && pSite->GetSafeHwnd())
        ::SendMessageW(pSite->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventRightClick,
                       reinterpret_cast<LPARAM>(static_cast<CDockingNode*>(this)));
}

BOOL CKitDockingPaneTabbedContainer::OnMouseMove(CPoint point)
{
    if (ShowsTabRow())
        m_tabStrip.OnMouseMove(this, point.x, point.y);
    if (!m_pDragged)
    {
        for (const auto& pButton : m_captionButtons)
            pButton->CheckHover(point.x, point.y);
        return TRUE;
    }
    const auto at = std::find(m_panes.begin(), m_panes.end(), m_pDragged);
    if (at == m_panes.end())
    {
        EndTabDrag();  // the pane left the group under the drag
        return TRUE;
    }
    int nOver = -1;
    for (size_t i = 0; i < m_savedTabRects.size() && i < m_panes.size(); ++i)
        if (m_savedTabRects[i].PtInRect(point))
            nOver = static_cast<int>(i);
    const int nAt = static_cast<int>(at - m_panes.begin());
    if (nOver >= 0 && nOver != nAt)
    {
        std::swap(m_panes[static_cast<size_t>(nAt)], m_panes[static_cast<size_t>(nOver)]);
        UpdateTabs();
        RefreshNode(TRUE);
        // The tabs take their new places at once, so the next move is
        // measured against what the user sees.
        UpdateWindow();
        MarkSiteForLayout();
        return FALSE;
    }
    if (nOver >= 0 || m_tabStrip.HitTest(point.x, point.y))
        return TRUE;
    // Off every tab: the pane is torn off into a docking drag of its own.
    CDockingHostWnd* pHost = GetHost();
    if (pHost->NotifyAction(kActionTabDragging, m_pSelected, nullptr, 0))
        return FALSE;
    CDockingPaneItem* pPane = m_pSelected;
    EndTabDrag();
    if (!pPane)
        return FALSE;
    CPoint screen = point;
    ClientToScreen(&screen);
    pHost->GetDragTracker()->BeginDrag(pPane, screen.x, screen.y);
    return FALSE;
}

LRESULT CKitDockingPaneTabbedContainer::OnHelpHitTest(CPoint point) const
{
    const int nHit = HitTest(point);
    const CDockingPaneItem* pPane = nHit >= 0 ? GetPaneAt(nHit) : m_pSelected;
    if (!pPane)
        return 0;
    return 0x20000 + (pPane->m_nHelpId != 0 ? pPane->m_nHelpId : pPane->m_nId);
}

INT_PTR CKitDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    const INT_PTR nBase = CWnd::OnToolHitTest(point, pTI);
    if (nBase != -1)
        return nBase;
    for (const auto& pButton : m_captionButtons)
    {
        if (!pButton->m_rect.PtInRect(point))
            continue;
        CString strTip;
        GetToolkitResources()->LoadString(strTip, static_cast<UINT>(pButton->GetId()));
        if (strTip.IsEmpty())
            return -1;
        FillToolInfo(pTI, m_hWnd, pButton->m_rect, static_cast<UINT_PTR>(pButton->GetId()), strTip);
        return pButton->GetId();
    }
    if (!ShowsTabRow())
        return -1;
    return m_tabStrip.OnToolHitTest(const_cast<CKitDockingPaneTabbedContainer*>(this),
                                    m_tabStrip.HitTest(point.x, point.y), pTI);
}

LRESULT CKitDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CScreenTipContext* pTips = GetHost() ? GetHost()->GetTipContext() : nullptr)
        pTips->FilterMouseMessage(this, message, wParam, lParam);
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_DESTROY:
        // The registration holds the window; it goes before the window does.
        m_pDropTarget->Revoke();
        EndTabDrag();
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        // A caption button's command may close the group and its window.
        OnLButtonDown(point);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(point);
        break;
    case WM_LBUTTONDBLCLK:
        // The caption band toggles the group, a tab its pane, between docked and floating.
        if (std::none_of(m_captionButtons.begin(), m_captionButtons.end(),
                         [point](const auto& pButton) { return pButton->m_rect.PtInRect(point); }))
        {
            const int nHit = HitTest(point);
            if (nHit == -2 && !(IsAutoHidden() && m_pSelected && (m_pSelected->GetEffectiveOptions() & kPaneNoAutoHide)))
                GetHost()->ToggleDockedFloating(this);
            else if (CDockingPaneItem* pPane = nHit >= 0 ? GetPaneAt(nHit) : nullptr)
                GetHost()->ToggleDockedFloating(pPane);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (!OnMouseMove(point))
            return 0;
        break;
    case WM_MOUSELEAVE:
        OnMouseMove(CPoint(-1, -1));
        break;
    case WM_LBUTTONUP:
        if (m_pDragged)
            EndTabDrag();
        break;
    case WM_CAPTURECHANGED:
        m_pDragged = nullptr;
        break;
    case WM_HELPHITTEST:
        return OnHelpHitTest(point);
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
