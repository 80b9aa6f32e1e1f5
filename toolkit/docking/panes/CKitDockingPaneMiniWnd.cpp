#include "CKitDockingPaneMiniWnd.h"

#include <algorithm>

#include "CDockingArrangement.h"
#include "CDockingCaptionButton.h"
#include "CDockingDragTracker.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitNode.h"
#include "CDrawTools.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CScreenTipContext.h"
#include "CToolkitResources.h"
#include "DockingAnimationSettings.h"
#include "core/StoredArrangement.h"
#include "window/AfxMessages.h"
#include "window/CDC.h"

using namespace kit::docking;

namespace {

constexpr UINT_PTR kTimerRollUpPoll = 1;
constexpr UINT_PTR kTimerRollUpAnimation = 3;
constexpr UINT_PTR kTimerHoverLeave = 2345;
constexpr UINT kStringHide = 61457;

struct DockingMenuRecord
{
    CDockingPaneItem* pPane;
    int x;
    int y;
    RECT rectExclude;
};

}  // namespace

CKitDockingPaneMiniWnd* AsFloatingWindow(CDockingNode* pNode)
{
    return pNode && pNode->GetType() == kNodeFloatingWindow ? static_cast<CKitDockingPaneMiniWnd*>(pNode) : nullptr;
}

CKitDockingPaneMiniWnd::CKitDockingPaneMiniWnd(CDockingArrangement* pArrangement)
    : CDockingNode(pArrangement, kNodeFloatingWindow)
{
    for (const int nId : {kButtonClose, kButtonAutoHide, kButtonMenu})
        m_captionButtons.push_back(std::make_unique<CDockingCaptionButton>(nId, this));
    m_nRollUpSteps = DockingAnimationSettings::Steps();
    m_nRollUpStep = m_nRollUpSteps;
}

CKitDockingPaneMiniWnd::~CKitDockingPaneMiniWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

int CKitDockingPaneMiniWnd::CaptionHeight() const
{
    const CDockingPaneDrawer* pDrawer = GetDrawer();
    return pDrawer ? pDrawer->m_nCaptionHeight : 16;
}

BOOL CKitDockingPaneMiniWnd::IsThemedFrame() const
{
    const CDockingHostWnd* pHost = GetHost();
    return pHost && pHost->m_bThemedFloatingFrames;
}

void CKitDockingPaneMiniWnd::InvalidateNode()
{
    if (!m_hWnd || !IsThemedFrame())
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    SendMessage(WM_NCPAINT, 0, 0);
}

void CKitDockingPaneMiniWnd::OnChildrenChanged(CDockingNode* /*pChild*/)
{
    RefreshNode(FALSE);
}

void CKitDockingPaneMiniWnd::CreateFloating(CDockingNode* pNode, const CRect& rect)
{
    CreateFloatingWindow(rect);
    CDockingHostWnd* pHost = GetHost();
    if (CDockingPaneItem* pPane = AsPane(pNode))
    {
        auto* pContainer = AsTabbedContainer(pHost->CreateDockingNode(kNodeTabbedContainer, GetArrangement()));
        pContainer->InitFromPane(pPane, this);
        pNode = pContainer;
    }
    m_pTopContainer = AsSplitNode(pHost->CreateDockingNode(kNodeSplit, GetArrangement()));
    m_pTopContainer->InitSplit(pNode, TRUE, this);
    m_pTopContainer->SetParentNode(this);
    OnChildrenChanged(m_pTopContainer);
    MarkFrameForLayout(this);
}

BOOL CKitDockingPaneMiniWnd::CreateFloatingWindow(CRect rect)
{
    // A frame that would open off every screen is brought onto the work area.
    const CRect work = GetWorkArea(rect);
    if (!CRect().IntersectRect(&rect, &work))
    {
        const int dx = rect.left >= work.right ? work.right - rect.right : rect.right <= work.left ? work.left - rect.left : 0;
        const int dy = rect.top >= work.bottom ? work.bottom - rect.bottom : rect.bottom <= work.top ? work.top - rect.top : 0;
        rect.OffsetRect(dx, dy);
    }
    CDockingHostWnd* pHost = GetHost();
    CWnd* pFrame = pHost->GetSiteFrame();
    const DWORD dwExStyle = pHost->IsLayoutRtl() ? WS_EX_LAYOUTRTL : 0;
    DWORD dwStyle = 0x80CC1000;
    if (pHost->m_bSyncActivation)
        dwStyle |= MFS_SYNCACTIVE;
    m_pSite = this;
    if (!CreateEx(dwExStyle, nullptr, L"", dwStyle, rect, pFrame, 0))
    {
        m_pSite = nullptr;
        return FALSE;
    }
    if (CMenu* pMenu = GetSystemMenu(FALSE))
    {
        pMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
        pMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
        pMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
        CString strHide;
        if (GetToolkitResources()->LoadString(strHide, kStringHide) && !strHide.IsEmpty())
        {
            pMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            pMenu->AppendMenu(MF_STRING, SC_CLOSE, strHide);
        }
    }
    m_bCloseEnabled = TRUE;
    if (IsThemedFrame())
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    return TRUE;
}

BOOL CKitDockingPaneMiniWnd::CreateLoadedWindow()
{
    if (m_hWnd || !m_pTopContainer || GetArrangement()->IsNotAttached())
        return m_hWnd != nullptr;
    CRect rect = m_rect;
    if (m_bRollUp)
        rect.bottom = rect.top + CaptionHeight() + 8;
    if (!CreateFloatingWindow(rect))
        return FALSE;
    m_pTopContainer->OnAttachedToParent(this);
    for (CDockingNode* pNode : GetArrangement()->GetNodeList())
        if (CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(pNode);
            pContainer && !pContainer->IsEmptyNode() && m_pTopContainer->ContainsNode(pContainer))
            pContainer->CreateContainerWindow();
    m_pTopContainer->RebuildSplitBars();
    OnChildrenChanged(m_pTopContainer);
    if (m_bRollUp)
    {
        m_bRollUp = FALSE;
        const int nExpanded = m_nExpandedHeight;
        BeginRollUp();
        m_nExpandedHeight = nExpanded > 0 ? nExpanded : m_nExpandedHeight;
        m_nRollUpStep = 0;
    }
    MarkFrameForLayout(this);
    return TRUE;
}

void CKitDockingPaneMiniWnd::RefreshNode(BOOL /*bShowPanes*/)
{
    if (!m_pTopContainer || !m_hWnd)
        return;
    std::vector<CDockingNode*> containers;
    m_pTopContainer->CollectNodesOfType(kNodeTabbedContainer, containers);
    // A lone group shows no caption of its own: the frame's caption shows it.
    for (CDockingNode* pNode : containers)
        AsTabbedContainer(pNode)->ShowCaption(containers.size() != 1);
    SetWindowText(containers.size() == 1 ? AsTabbedContainer(containers.front())->GetTitle()
                                         : GetHost()->m_strFloatingCaption);
    if (!IsWindowVisible() && !containers.empty())
        ShowWindow(SW_SHOWNOACTIVATE);
    if (!containers.empty())
    {
        std::vector<CDockingNode*> panes;
        m_pTopContainer->CollectNodesOfType(kNodePane, panes);
        const BOOL bCanClose = std::any_of(panes.begin(), panes.end(), [](CDockingNode* p) {
            return !(AsPane(p)->GetEffectiveOptions() & kPaneNoClose);
        });
        if (!bCanClose || !m_bCloseEnabled)
        {
            if (CMenu* pMenu = GetSystemMenu(FALSE))
                pMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (bCanClose ? MF_ENABLED : MF_GRAYED));
            m_bCloseEnabled = bCanClose;
        }
        CRect rect;
        GetWindowRect(&rect);
        SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SendMessage(WM_NCPAINT, 0, 0);
}

void CKitDockingPaneMiniWnd::RecalcLayout(BOOL /*bNotify*/)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (!m_pTopContainer || !m_hWnd)
        return;
    if (m_pTopContainer->IsEmptyNode())
    {
        ShowWindow(SW_HIDE);
        if (m_bRollUp)
            ToggleRollUp();
        return;
    }
    CRect client;
    GetClientRect(&client);
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = ::BeginDeferWindowPos(8);
    layout.rect = client;
    m_pTopContainer->PlaceInRect(this, client, &layout);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
    // The top split covers caption and frame too, so that the drag tracker
    // finds the whole floating frame under the pointer.
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    m_pTopContainer->SetNodeRect(window);
    GetArrangement()->SyncHolders();
}

void CKitDockingPaneMiniWnd::StoreNodeProperties(StoredNode& stored) const
{
    CDockingNode::StoreNodeProperties(stored);
    CRect rect = m_rect;
    if (m_hWnd)
    {
        ::GetWindowRect(m_hWnd, &rect);
        if (m_bRollUp)
            rect.bottom = rect.top + m_nExpandedHeight;
    }
    stored.windowRect = {rect.left, rect.top, rect.right, rect.bottom};
    stored.collapsed = m_bRollUp != FALSE;
    stored.expandedHeight = m_nExpandedHeight;
    stored.topContainer = m_pTopContainer ? m_pTopContainer->m_nIndex : 0;
}

BOOL CKitDockingPaneMiniWnd::LoadNodeProperties(const StoredNode& stored)
{
    CDockingNode::LoadNodeProperties(stored);
    m_rect = CRect(stored.windowRect.left, stored.windowRect.top, stored.windowRect.right, stored.windowRect.bottom);
    m_bRollUp = stored.collapsed;
    m_nExpandedHeight = stored.expandedHeight;
    m_pTopContainer = AsSplitNode(GetArrangement()->GetLoadedNode(stored.topContainer));
    if (!m_pTopContainer)
        return FALSE;
    m_pTopContainer->SetParentNode(this);
    return TRUE;
}

void CKitDockingPaneMiniWnd::RemoveChildNode(CDockingNode* pChild)
{
    if (pChild != m_pTopContainer)
        return;
    pChild->SetParentNode(nullptr);
    m_pTopContainer = nullptr;
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    if (m_bRollUp)
        ToggleRollUp();
}

BOOL CKitDockingPaneMiniWnd::IsCaptionButtonVisible(CDockingCaptionButton* pButton) const
{
    switch (pButton->GetId())
    {
    case kButtonClose:
        return m_bCloseEnabled;
    case kButtonAutoHide:
        pButton->m_nState = m_bRollUp ? kButtonStatePaneAutoHidden : 0;
        return TRUE;
    case kButtonMenu: {
        const CDockingPaneItem* pPane = GetSinglePane();
        return pPane && (pPane->GetEffectiveOptions() & kPaneCaptionMenu);
    }
    default:
        return TRUE;
    }
}

CDockingPaneItem* CKitDockingPaneMiniWnd::GetSinglePane() const
{
    if (!m_pTopContainer)
        return nullptr;
    std::vector<CDockingNode*> containers;
    m_pTopContainer->CollectNodesOfType(kNodeTabbedContainer, containers);
    return containers.size() == 1 ? AsTabbedContainer(containers.front())->GetSelectedPane() : nullptr;
}

void CKitDockingPaneMiniWnd::OnCaptionButtonClick(CDockingCaptionButton* pButton)
{
    if (pButton->GetId() == kButtonClose)
        OnClose();
    else if (pButton->GetId() == kButtonAutoHide)
        ToggleRollUp();
}

BOOL CKitDockingPaneMiniWnd::OnCaptionButtonDown(CDockingCaptionButton* pButton)
{
    if (pButton->GetId() != kButtonMenu)
        return FALSE;
    if (CDockingPaneItem* pPane = GetSinglePane())
    {
        pButton->m_bPressed = TRUE;
        SendMessage(WM_NCPAINT, 0, 0);
        CRect window;
        GetWindowRect(&window);
        CRect rect = pButton->m_rect;
        rect.OffsetRect(window.left, window.top);
        DockingMenuRecord record{pPane, rect.left, rect.bottom, rect};
        if (CWnd* pFrame = GetHost()->GetSiteFrame(); pFrame && pFrame->GetSafeHwnd())
            ::SendMessageW(pFrame->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventCaptionMenu,
                           reinterpret_cast<LPARAM>(&record));
        pButton->m_bPressed = FALSE;
        if (m_hWnd)
            SendMessage(WM_NCPAINT, 0, 0);
    }
    return TRUE;
}

void CKitDockingPaneMiniWnd::RefreshFrame()
{
    if (!m_hWnd)
        return;
    if (IsThemedFrame())
        ModifyStyle(WS_BORDER, 0, 0);
    else
    {
        ModifyStyle(0, WS_BORDER, 0);
        if (m_bRollUp)
            ToggleRollUp();
    }
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_bRollUp && IsThemedFrame())
        ApplyRollUpStep(FALSE);
}

void CKitDockingPaneMiniWnd::BeginRollUp()
{
    m_nRollUpSteps = DockingAnimationSettings::Steps();
    m_nRollUpStep = m_nRollUpSteps;
    CRect window;
    GetWindowRect(&window);
    m_rect = window;
    m_nExpandedHeight = window.Height();
    m_bRollUp = TRUE;
    m_bAnimating = FALSE;
    m_bExpandedNow = TRUE;
    m_nRollUpCountdown = 6;
    SetTimer(kTimerRollUpPoll, DockingAnimationSettings::kLeavePoll, nullptr);
}

void CKitDockingPaneMiniWnd::ToggleRollUp()
{
    if (!m_bRollUp)
    {
        if (m_hWnd)
            BeginRollUp();
    }
    else
    {
        if (m_hWnd && m_nRollUpStep != m_nRollUpSteps)
        {
            CRect window;
            GetWindowRect(&window);
            SetWindowPos(nullptr, 0, 0, window.Width(), m_nExpandedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        m_bRollUp = FALSE;
        m_bExpandedNow = FALSE;
        m_bAnimating = FALSE;
        m_nRollUpStep = m_nRollUpSteps;
        if (m_hWnd)
        {
            KillTimer(kTimerRollUpPoll);
            KillTimer(kTimerRollUpAnimation);
        }
    }
    if (m_hWnd)
        SendMessage(WM_NCPAINT, 0, 0);
}

void CKitDockingPaneMiniWnd::ApplyRollUpStep(BOOL bBringToFront)
{
    const int nSteps = std::max(1, m_nRollUpSteps);
    const int nHeight = std::max(m_nRollUpStep * m_nExpandedHeight / nSteps, CaptionHeight() + 8);
    CRect window;
    GetWindowRect(&window);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, window.Width(), nHeight,
                   SWP_NOMOVE | SWP_NOACTIVATE | (bBringToFront ? 0 : SWP_NOZORDER));
    Invalidate(FALSE);
}

void CKitDockingPaneMiniWnd::ExpandRolledUp()
{
    if (!m_bRollUp || m_nRollUpStep > 0 || !m_hWnd)
        return;
    m_bExpandedNow = TRUE;
    m_nRollUpStep = m_nRollUpSteps;
    ApplyRollUpStep(TRUE);
    m_nRollUpCountdown = 8;
    SetTimer(kTimerRollUpPoll, DockingAnimationSettings::kLeavePoll, nullptr);
}

void CKitDockingPaneMiniWnd::OnTimer(UINT_PTR nId)
{
    if (nId == kTimerRollUpPoll)
    {
        const HWND hFocus = ::GetFocus();
        if (hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)))
            return;
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CRect window;
        GetWindowRect(&window);
        if (window.PtInRect(cursor) || ::GetCapture() || m_bAnimating)
            return;
        if (--m_nRollUpCountdown > 0)
            return;
        if (m_nRollUpStep == m_nRollUpSteps)
            m_nExpandedHeight = window.Height();
        m_bAnimating = TRUE;
        SetTimer(kTimerRollUpAnimation, DockingAnimationSettings::kTimerPeriod, nullptr);
        KillTimer(kTimerRollUpPoll);
    }
    else if (nId == kTimerRollUpAnimation)
    {
        if (!m_bAnimating)
            return;
        if (--m_nRollUpStep >= 0)
        {
            ApplyRollUpStep(FALSE);
            return;
        }
        m_nRollUpStep = 0;
        m_bAnimating = FALSE;
        m_bExpandedNow = FALSE;
        KillTimer(kTimerRollUpAnimation);
    }
    else if (nId == kTimerHoverLeave)
    {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        if (::WindowFromPoint(cursor) != m_hWnd)
        {
            PostMessage(WM_NCMOUSEMOVE, 0, 0);
            KillTimer(kTimerHoverLeave);
        }
    }
}

void CKitDockingPaneMiniWnd::OnClose()
{
    if (!m_pTopContainer)
        return;
    std::vector<CDockingNode*> panes;
    m_pTopContainer->CollectNodesOfType(kNodePane, panes);
    CDockingHostWnd* pHost = GetHost();
    for (CDockingNode* pNode : panes)
    {
        CDockingPaneItem* pPane = AsPane(pNode);
        if (pPane->GetEffectiveOptions() & kPaneNoClose)
            continue;
        if (pHost->NotifyAction(kActionClosing, pPane, nullptr, 0))
            continue;
        pPane->Close();
        pHost->NotifyAction(kActionClosed, pPane, nullptr, 0);
    }
}

CPoint CKitDockingPaneMiniWnd::ToWindowPoint(CPoint screen) const
{
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    return CPoint(screen.x - window.left, screen.y - window.top);
}

CPoint CKitDockingPaneMiniWnd::ClientOriginInWindow() const
{
    POINT origin{0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    return CPoint(origin.x - window.left, origin.y - window.top);
}

INT_PTR CKitDockingPaneMiniWnd::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    if (!IsThemedFrame())
        return CMiniFrameWnd::OnToolHitTest(point, pTI);
    const CPoint origin = ClientOriginInWindow();
    const CPoint inWindow = point + origin;
    for (const auto& pButton : m_captionButtons)
    {
        if (!pButton->m_rect.PtInRect(inWindow))
            continue;
        CString strTip;
        GetToolkitResources()->LoadString(strTip, static_cast<UINT>(pButton->GetId()));
        if (strTip.IsEmpty())
            return -1;
        CRect rect = pButton->m_rect;
        rect.OffsetRect(-origin.x, -origin.y);
        FillToolInfo(pTI, m_hWnd, rect, static_cast<UINT_PTR>(pButton->GetId()), strTip);
        return pButton->GetId();
    }
    return -1;
}

CRect CKitDockingPaneMiniWnd::GetCaptionBand() const
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    client.OffsetRect(-window.left, -window.top);
    return CRect(client.left, client.top - CaptionHeight() - 2, client.right, client.top);
}

void CKitDockingPaneMiniWnd::OnNcLButtonDown(UINT nHit, CPoint point)
{
    if (IsThemedFrame())
    {
        const CPoint inWindow = ToWindowPoint(point);
        for (const auto& pButton : m_captionButtons)
        {
            if (!pButton->m_rect.PtInRect(inWindow))
                continue;
            if (!OnCaptionButtonDown(pButton.get()) && pButton->TrackClick(this, inWindow.x, inWindow.y, FALSE))
                OnCaptionButtonClick(pButton.get());
            SendMessage(WM_NCPAINT, 0, 0);
            return;
        }
    }
    if (nHit != HTCAPTION)
    {
        Default();
        return;
    }
    if (CWnd* pTop = GetTopLevelParent())
        pTop->SetActiveWindow();
    BringWindowToTop();
    if (!m_pTopContainer)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    GetHost()->GetDragTracker()->BeginDrag(m_pTopContainer, cursor.x, cursor.y);
}

void CKitDockingPaneMiniWnd::OnNcLButtonDblClk(UINT nHit)
{
    if (nHit != HTCAPTION)
    {
        Default();
        return;
    }
    if (m_bRollUp)
        ToggleRollUp();
    else if (m_pTopContainer)
        GetHost()->ToggleDockedFloating(m_pTopContainer);
}

void CKitDockingPaneMiniWnd::OnNcRButtonDown(UINT nHit, CPoint point)
{
    if (nHit == HTCAPTION && m_pTopContainer)
    {
        CDockingPaneItem* pPane = GetSinglePane();
        if (!pPane)
        {
            std::vector<CDockingNode*> containers;
            m_pTopContainer->CollectNodesOfType(kNodeTabbedContainer, containers);
            for (CDockingNode* pNode : containers)
                if (AsTabbedContainer(pNode)->IsActive())
                {
                    pPane = AsTabbedContainer(pNode)->GetSelectedPane();
                    break;
                }
        }
        if (pPane)
        {
            pPane->Focus();
            DockingMenuRecord record{pPane, point.x, point.y, {}};
            CWnd* pFrame = GetHost()->GetSiteFrame();
            if (pFrame && pFrame->GetSafeHwnd() &&
                ::SendMessageW(pFrame->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventCaptionMenu,
                               reinterpret_cast<LPARAM>(&record)) != 0)
                return;
        }
    }
    Default();
}

void CKitDockingPaneMiniWnd::OnNcCalcSize(NCCALCSIZE_PARAMS* pParams)
{
    RECT& rect = pParams->rgrc[0];
    ::InflateRect(&rect, 1, 1);
    rect.top += CaptionHeight() + 2;
}

LRESULT CKitDockingPaneMiniWnd::OnNcHitTest(CPoint point)
{
    const LRESULT nHit = Default();
    if (nHit != HTNOWHERE && nHit != HTBORDER && nHit != HTCAPTION)
        return nHit;
    CRect window;
    GetWindowRect(&window);
    return point.y - window.top < CaptionHeight() + 4 ? HTCAPTION : nHit;
}

void CKitDockingPaneMiniWnd::OnNcPaint()
{
    CDockingPaneDrawer* pDrawer = GetDrawer();
    if (!pDrawer)
        return;
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    // Only the frame and caption: the client area is the panes' to paint.
    CRect client;
    GetClientRect(&client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    client.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    window.OffsetRect(-window.left, -window.top);
    pDrawer->DrawFloatingFrame(&dc, this, window);
}

void CKitDockingPaneMiniWnd::OnNcMouseMove(CPoint point)
{
    const CPoint inWindow = ToWindowPoint(point);
    for (const auto& pButton : m_captionButtons)
        if (pButton->CheckHover(inWindow.x, inWindow.y))
            SetTimer(kTimerHoverLeave, 100, nullptr);
    ExpandRolledUp();
}

void CKitDockingPaneMiniWnd::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    if (!m_pTopContainer || (m_bRollUp && !m_bExpandedNow) || m_bAnimating)
        return;
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int dx = window.Width() - client.Width();
    const int dy = window.Height() - client.Height();
    MINMAXINFO limits{};
    m_pTopContainer->GetTrackLimits(&limits);
    pInfo->ptMinTrackSize.x = std::max<LONG>(pInfo->ptMinTrackSize.x, dx + limits.ptMinTrackSize.x);
    pInfo->ptMinTrackSize.y = std::max<LONG>(pInfo->ptMinTrackSize.y, dy + limits.ptMinTrackSize.y);
    pInfo->ptMaxTrackSize.x = std::min<LONG>(pInfo->ptMaxTrackSize.x, dx + limits.ptMaxTrackSize.x);
    pInfo->ptMaxTrackSize.y = std::min<LONG>(pInfo->ptMaxTrackSize.y, dy + limits.ptMaxTrackSize.y);
}

void CKitDockingPaneMiniWnd::OnIdleUpdate()
{
    if (!IsThemedFrame())
        return;
    const HWND hFocus = ::GetFocus();
    const BOOL bActive = hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT, 0, 0);
    }
}

LRESULT CKitDockingPaneMiniWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (CScreenTipContext* pTips = GetHost() ? GetHost()->GetTipContext() : nullptr)
    {
        // The tip control follows client moves only: a move over the caption
        // reaches it as one at the client point above the client area.
        if (message == WM_NCMOUSEMOVE && (wParam || lParam))
        {
            CPoint client = point;
            ScreenToClient(&client);
            pTips->FilterMouseMessage(this, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        }
        else
        {
            pTips->FilterMouseMessage(this, message, wParam, lParam);
        }
    }
    const BOOL bThemed = IsThemedFrame();
    switch (message)
    {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_NCRBUTTONDOWN:
        OnNcRButtonDown(static_cast<UINT>(wParam), point);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        OnNcLButtonDblClk(static_cast<UINT>(wParam));
        return 0;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(static_cast<UINT>(wParam), point);
        return 0;
    case WM_DESTROY:
        ::GetWindowRect(m_hWnd, &m_rect);
        break;
    case WM_NCHITTEST:
        if (bThemed)
            return OnNcHitTest(point);
        break;
    case WM_NCPAINT:
        if (bThemed)
        {
            OnNcPaint();
            return 0;
        }
        break;
    case WM_NCACTIVATE:
        if (bThemed)
        {
            // The themed caption follows the focus, not the frame's activation.
            return TRUE;
        }
        break;
    case WM_NCCALCSIZE:
        // Both forms start with the proposed rectangle.
        if (bThemed)
            OnNcCalcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case WM_NCMOUSEMOVE:
        if (bThemed)
        {
            const LRESULT result = CMiniFrameWnd::WindowProc(message, wParam, lParam);
            if (wParam || lParam)
                OnNcMouseMove(point);
            else
                for (const auto& pButton : m_captionButtons)
                    pButton->CheckHover(-1, -1);
            return result;
        }
        break;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_IDLEUPDATECMDUI:
        OnIdleUpdate();
        break;
    case WM_GETMINMAXINFO: {
        const LRESULT result = CMiniFrameWnd::WindowProc(message, wParam, lParam);
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return result;
    }
    case WM_SETFOCUS: {
        const LRESULT result = CMiniFrameWnd::WindowProc(message, wParam, lParam);
        if (CDockingPaneItem* pPane = GetSinglePane())
            pPane->Focus();
        return result;
    }
    default:
        break;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
