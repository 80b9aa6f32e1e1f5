#include "CKitDockingPaneAutoHideWnd.h"

#include <algorithm>

#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CDockingSideStrip.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CSplitterTracker.h"
#include "CToolkitResources.h"
#include "DockingAnimationSettings.h"
#include "window/AfxMessages.h"
#include "window/CDC.h"

namespace {

constexpr UINT_PTR kTimerLeavePoll = 1;
constexpr UINT_PTR kTimerSlideOut = 2;
constexpr UINT_PTR kTimerSlideIn = 3;
constexpr UINT_PTR kTimerClose = 4;
constexpr int kResizeBar = 4;
constexpr int kLeavePolls = 6;
constexpr UINT kHorizontalSplitCursor = 9970;
constexpr UINT kVerticalSplitCursor = 9971;

int SlideSteps(int nExtent)
{
    using Settings = DockingAnimationSettings;
    if (Settings::kSpeed == 0.0 || Settings::kTimerPeriod == 0)
        return 1;
    const int nSteps = Settings::kSpeed > 0
                           ? static_cast<int>(Settings::kSpeed * nExtent * 50 / Settings::kTimerPeriod)
                           : static_cast<int>(Settings::kDuration / Settings::kTimerPeriod);
    return std::max(1, nSteps);
}

}  // namespace

CKitDockingPaneAutoHideWnd::CKitDockingPaneAutoHideWnd(CDockingSideStrip* pStrip,
                                                       CKitDockingPaneTabbedContainer* pContainer)
    : m_pContainer(pContainer), m_pStrip(pStrip), m_nSide(pStrip->GetDirection()),
      m_bVerticalSlide(m_nSide == kSideTop || m_nSide == kSideBottom)
{
}

CKitDockingPaneAutoHideWnd* CKitDockingPaneAutoHideWnd::Open(CDockingSideStrip* pStrip,
                                                             CKitDockingPaneTabbedContainer* pContainer)
{
    auto* pWnd = new CKitDockingPaneAutoHideWnd(pStrip, pContainer);
    return pWnd->CreateSlideWindow() ? pWnd : nullptr;
}

CDockingHostWnd* CKitDockingPaneAutoHideWnd::GetHost() const
{
    if (m_pStrip)
        return m_pStrip->GetHost();
    return m_pContainer ? m_pContainer->GetHost() : nullptr;
}

int CKitDockingPaneAutoHideWnd::MirroredSide() const
{
    const CDockingHostWnd* pHost = GetHost();
    return pHost ? pHost->MirrorSide(m_nSide) : m_nSide;
}

BOOL CKitDockingPaneAutoHideWnd::CreateSlideWindow()
{
    CDockingHostWnd* pHost = GetHost();
    CWnd* pFrame = pHost->GetSiteFrame();
    CDockingNode* pClient = pHost->GetClientNode();
    CDockingPaneItem* pPane = m_pContainer->GetSelectedPane();
    if (!pFrame || !pFrame->GetSafeHwnd() || !pClient || !pPane)
    {
        delete this;
        return FALSE;
    }
    CRect rect = pClient->GetScreenRect();
    MINMAXINFO limits{};
    GetTrackLimits(&limits, TRUE);
    const int nWidth = std::max<int>(limits.ptMinTrackSize.x, std::min<int>(limits.ptMaxTrackSize.x, pPane->m_nDockingCX + kResizeBar));
    const int nHeight = std::max<int>(limits.ptMinTrackSize.y, std::min<int>(limits.ptMaxTrackSize.y, pPane->m_nDockingCY + kResizeBar));
    switch (MirroredSide())
    {
    case kSideLeft:
        rect.right = rect.left + nWidth;
        break;
    case kSideRight:
        rect.left = rect.right - nWidth;
        break;
    case kSideTop:
        rect.bottom = rect.top + nHeight;
        break;
    default:
        rect.top = rect.bottom - nHeight;
        break;
    }
    pFrame->ScreenToClient(&rect);
    m_rectFinal = rect;

    CRect bounds;
    CRect bar;
    HCURSOR hCursor = nullptr;
    if (GetResizeBounds(&bounds, &bar) && !pHost->m_bLocked)
    {
        hCursor = GetToolkitResources()->LoadCursor(m_bVerticalSlide ? kVerticalSplitCursor : kHorizontalSplitCursor);
        if (!hCursor)
            hCursor = ::LoadCursorW(nullptr, m_bVerticalSlide ? IDC_SIZENS : IDC_SIZEWE);
    }
    if (!hCursor)
        hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    const CString strClass = AfxRegisterWndClass(0, hCursor, nullptr, nullptr);

    // Nothing of the frame may flash while the window comes up over it.
    pFrame->UpdateWindow();
    pFrame->SendMessage(WM_SETREDRAW, FALSE, 0);
    const DWORD dwExStyle = pHost->IsLayoutRtl() ? WS_EX_LAYOUTRTL : 0;
    // A failed creation deletes the object (PostNcDestroy); touch nothing then.
    const BOOL bCreated =
        CreateEx(dwExStyle, strClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pFrame, 0);
    pFrame->SendMessage(WM_SETREDRAW, TRUE, 0);
    if (!bCreated)
        return FALSE;

    m_nStep = 0;
    m_nSteps = SlideSteps(m_bVerticalSlide ? m_rectFinal.Width() : m_rectFinal.Height());
    if (m_nSteps > 1)
        SetTimer(kTimerSlideOut, DockingAnimationSettings::kTimerPeriod, nullptr);
    ApplySlideStep();
    RecalcLayout(TRUE);
    if (m_pContainer->GetSafeHwnd())
        m_pContainer->ShowWindow(SW_SHOW);
    SetTimer(kTimerLeavePoll, DockingAnimationSettings::kLeavePoll, nullptr);
    m_nLeaveCountdown = kLeavePolls;
    return TRUE;
}

void CKitDockingPaneAutoHideWnd::GetTrackLimits(MINMAXINFO* pInfo, BOOL bAddBar) const
{
    *pInfo = MINMAXINFO{};
    pInfo->ptMaxTrackSize = CPoint(32000, 32000);
    CDockingPaneItem* pPane = m_pContainer ? m_pContainer->GetSelectedPane() : nullptr;
    if (!pPane)
        return;
    pPane->GetTrackLimits(pInfo);
    // The group's caption band comes on top of the pane's own limits.
    if (CDockingPaneDrawer* pDrawer = m_pContainer->GetDrawer())
    {
        CRect rect(0, 0, 1000, 1000);
        pDrawer->AdjustCaptionRect(m_pContainer, &rect);
        const int cx = 1000 - rect.Width();
        const int cy = 1000 - rect.Height();
        pInfo->ptMinTrackSize.x += cx;
        pInfo->ptMinTrackSize.y += cy;
        pInfo->ptMaxTrackSize.x += cx;
        pInfo->ptMaxTrackSize.y += cy;
    }
    if (bAddBar)
    {
        LONG& nMin = m_bVerticalSlide ? pInfo->ptMinTrackSize.y : pInfo->ptMinTrackSize.x;
        LONG& nMax = m_bVerticalSlide ? pInfo->ptMaxTrackSize.y : pInfo->ptMaxTrackSize.x;
        nMin += kResizeBar;
        nMax += kResizeBar;
    }
}

void CKitDockingPaneAutoHideWnd::ApplySlideStep()
{
    if (!m_hWnd)
        return;
    CRect rect = m_rectFinal;
    const int nSteps = std::max(1, m_nSteps);
    const int nWidth = m_rectFinal.Width() * (m_nStep + 1) / nSteps;
    const int nHeight = m_rectFinal.Height() * (m_nStep + 1) / nSteps;
    switch (m_nSide)
    {
    case kSideLeft:
        rect.right = rect.left + nWidth;
        break;
    case kSideRight:
        rect.left = rect.right - nWidth;
        break;
    case kSideTop:
        rect.bottom = rect.top + nHeight;
        break;
    default:
        rect.top = rect.bottom - nHeight;
        break;
    }
    ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate(FALSE);
}

void CKitDockingPaneAutoHideWnd::RecalcLayout(BOOL /*bNotify*/)
{
    if (!m_hWnd || !m_pContainer || !m_pContainer->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    // The group keeps its final size and moves with the sliding edge; the
    // resize bar on the inner edge stays free.
    CRect rect(0, 0, m_rectFinal.Width(), m_rectFinal.Height());
    switch (m_nSide)
    {
    case kSideLeft:
        rect.OffsetRect(m_rectFinal.left + client.right - m_rectFinal.right - client.left, 0);
        rect.right -= kResizeBar;
        break;
    case kSideRight:
        rect.left = kResizeBar;
        break;
    case kSideTop:
        rect.OffsetRect(0, m_rectFinal.top + client.bottom - m_rectFinal.bottom - client.top);
        rect.bottom -= kResizeBar;
        break;
    default:
        rect.top = kResizeBar;
        break;
    }
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = ::BeginDeferWindowPos(8);
    m_pContainer->PlaceInRect(this, rect, &layout);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

BOOL CKitDockingPaneAutoHideWnd::IsContainerActive() const
{
    if (!m_pContainer)
        return FALSE;
    if (m_pContainer->IsActive())
        return TRUE;
    const HWND hFocus = ::GetFocus();
    const HWND hContainer = m_pContainer->GetSafeHwnd();
    return hFocus && hContainer && (hFocus == hContainer || ::IsChild(hContainer, hFocus));
}

void CKitDockingPaneAutoHideWnd::PollLeave()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    CRect strip;
    if (m_pStrip && m_pStrip->GetSafeHwnd())
        m_pStrip->GetWindowRect(&strip);
    const BOOL bInside = IsContainerActive() || window.PtInRect(cursor) || strip.PtInRect(cursor);
    if (bInside)
    {
        m_nLeaveCountdown = kLeavePolls;
        if (m_bClosing)
        {
            // Back over the window while it slides in: it slides out again
            // from where it is.
            m_bClosing = FALSE;
            KillTimer(kTimerSlideIn);
            SetTimer(kTimerSlideOut, DockingAnimationSettings::kTimerPeriod, nullptr);
        }
        return;
    }
    if (m_bClosing || --m_nLeaveCountdown > 0)
        return;
    if (!DockingAnimationSettings::kAutoCollapse)
    {
        m_nLeaveCountdown = kLeavePolls;
        return;
    }
    CDockingHostWnd* pHost = GetHost();
    if (pHost && pHost->NotifyAction(kActionSlidingIn, m_pContainer->GetSelectedPane(), nullptr, 0))
    {
        m_nLeaveCountdown = kLeavePolls;
        return;
    }
    m_bClosing = TRUE;
    SetTimer(kTimerSlideIn, DockingAnimationSettings::kTimerPeriod, nullptr);
}

void CKitDockingPaneAutoHideWnd::OnTimer(UINT_PTR nId)
{
    if (nId == kTimerClose)
    {
        KillTimer(kTimerClose);
        Dismiss();
        return;
    }
    if (!m_pContainer)
        return;
    switch (nId)
    {
    case kTimerLeavePoll:
        if (m_bResizing)
            return;
        PollLeave();
        break;
    case kTimerSlideIn:
        if (!m_bClosing)
            break;
        if (--m_nStep < 0)
        {
            m_bClosing = FALSE;
            KillTimer(kTimerSlideIn);
            if (CDockingHostWnd* pHost = GetHost())
                pHost->NotifyAction(kActionSlidIn, m_pContainer->GetSelectedPane(), nullptr, 0);
            Dismiss();
            return;
        }
        ApplySlideStep();
        break;
    case kTimerSlideOut:
        if (m_bClosing)
            break;
        if (++m_nStep < m_nSteps)
        {
            ApplySlideStep();
            break;
        }
        m_nStep = m_nSteps - 1;
        KillTimer(kTimerSlideOut);
        if (CDockingHostWnd* pHost = GetHost())
            pHost->NotifyAction(kActionSlidOut, m_pContainer->GetSelectedPane(), nullptr, 0);
        break;
    default:
        break;
    }
}

void CKitDockingPaneAutoHideWnd::Dismiss()
{
    if (!m_hWnd)
        return;
    ShowWindow(SW_HIDE);
    CDockingHostWnd* pHost = GetHost();
    if (m_pContainer && m_pContainer->GetSafeHwnd() && ::GetParent(m_pContainer->GetSafeHwnd()) == m_hWnd)
    {
        m_pContainer->ShowWindow(SW_HIDE);
        if (pHost)
            m_pContainer->SetSiteWindow(pHost->GetSiteFrame());
    }
    m_pContainer = nullptr;
    if (m_pStrip)
        m_pStrip->ForgetAutoHideWnd(this);
    m_pStrip = nullptr;
    PostMessage(WM_CLOSE);
}

void CKitDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_pStrip)
        m_pStrip->ForgetAutoHideWnd(this);
    delete this;
}

void CKitDockingPaneAutoHideWnd::OnPaint()
{
    CPaintDC dc(this);
    CDockingHostWnd* pHost = GetHost();
    CDockingPaneDrawer* pDrawer = pHost ? pHost->GetDrawer() : nullptr;
    if (!pDrawer)
        return;
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, pDrawer->GetColor(51));
    switch (m_nSide)
    {
    case kSideLeft:
        dc.FillSolidRect(client.right - 1, client.top, 1, client.Height(), pDrawer->GetColor(18));
        dc.FillSolidRect(client.right - 2, client.top, 1, client.Height(), pDrawer->GetColor(16));
        break;
    case kSideRight:
        dc.FillSolidRect(client.left + 1, client.top, 1, client.Height(), pDrawer->GetColor(20));
        break;
    case kSideTop:
        dc.FillSolidRect(client.left, client.bottom - 1, client.Width(), 1, pDrawer->GetColor(18));
        dc.FillSolidRect(client.left, client.bottom - 2, client.Width(), 1, pDrawer->GetColor(16));
        break;
    default:
        dc.FillSolidRect(client.left, client.top + 1, client.Width(), 1, pDrawer->GetColor(20));
        break;
    }
}

BOOL CKitDockingPaneAutoHideWnd::GetResizeBounds(CRect* pBounds, CRect* pBar) const
{
    CDockingHostWnd* pHost = GetHost();
    CDockingNode* pClient = pHost ? pHost->GetClientNode() : nullptr;
    if (!pClient)
        return FALSE;
    const CRect client = pClient->GetScreenRect();
    const int a = pHost->m_nMinPaneExtent + kResizeBar;
    const int nSide = MirroredSide();
    MINMAXINFO limits{};
    GetTrackLimits(&limits, nSide == kSideRight || nSide == kSideBottom);
    CRect window;
    if (m_hWnd)
        GetWindowRect(&window);
    else
    {
        window = m_rectFinal;
        pHost->GetSiteFrame()->ClientToScreen(&window);
    }
    CRect bounds = client;
    CRect bar = window;
    switch (nSide)
    {
    case kSideLeft:
        bounds.left += std::max<int>(a, limits.ptMinTrackSize.x);
        bounds.right = std::min<int>(bounds.right - a, client.left + limits.ptMaxTrackSize.x);
        bar.left = bar.right - kResizeBar;
        break;
    case kSideRight:
        bounds.right -= std::max<int>(a, limits.ptMinTrackSize.x);
        bounds.left = std::max<int>(bounds.left + a, client.right - limits.ptMaxTrackSize.x);
        bar.right = bar.left + kResizeBar;
        break;
    case kSideTop:
        bounds.top += std::max<int>(a, limits.ptMinTrackSize.y);
        bounds.bottom = std::min<int>(bounds.bottom - a, client.top + limits.ptMaxTrackSize.y);
        bar.top = bar.bottom - kResizeBar;
        break;
    default:
        bounds.bottom -= std::max<int>(a, limits.ptMinTrackSize.y);
        bounds.top = std::max<int>(bounds.top + a, client.bottom - limits.ptMaxTrackSize.y);
        bar.bottom = bar.top + kResizeBar;
        break;
    }
    *pBounds = bounds;
    *pBar = bar;
    return m_bVerticalSlide ? bounds.top < bounds.bottom : bounds.left < bounds.right;
}

void CKitDockingPaneAutoHideWnd::ApplyResize(const CRect& bar, const CRect& client)
{
    CDockingPaneItem* pPane = m_pContainer ? m_pContainer->GetSelectedPane() : nullptr;
    CDockingHostWnd* pHost = GetHost();
    if (!pPane || !pHost)
        return;
    CRect window;
    GetWindowRect(&window);
    switch (MirroredSide())
    {
    case kSideLeft:
        window.left = client.left;
        window.right = bar.right;
        break;
    case kSideRight:
        window.left = bar.left;
        window.right = client.right;
        break;
    case kSideTop:
        window.top = client.top;
        window.bottom = bar.bottom;
        break;
    default:
        window.top = bar.top;
        window.bottom = client.bottom;
        break;
    }
    // The docking size is the group's, without the resize bar, so that the
    // window opens at the same size the next time.
    if (m_bVerticalSlide)
        pPane->m_nDockingCY = window.Height() - kResizeBar;
    else
        pPane->m_nDockingCX = window.Width() - kResizeBar;
    pHost->GetSiteFrame()->ScreenToClient(&window);
    m_rectFinal = window;
    MoveWindow(&window, TRUE);
    Invalidate(FALSE);
}

void CKitDockingPaneAutoHideWnd::ResizeLive(const CRect& bounds, CRect bar)
{
    CDockingHostWnd* pHost = GetHost();
    const CRect client = pHost->GetClientNode()->GetScreenRect();
    SetCapture();
    while (::GetCapture() == m_hWnd && m_pContainer)
    {
        MSG msg;
        // Paint first, so that the window follows the mouse visibly.
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint cursor;
        ::GetCursorPos(&cursor);
        if (m_bVerticalSlide)
            bar.OffsetRect(0, std::max(bounds.top, std::min<LONG>(cursor.y, bounds.bottom)) - bar.top);
        else
            bar.OffsetRect(std::max(bounds.left, std::min<LONG>(cursor.x, bounds.right)) - bar.left, 0);
        ApplyResize(bar, client);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKitDockingPaneAutoHideWnd::OnLButtonDown(CPoint point)
{
    CDockingHostWnd* pHost = GetHost();
    if (!pHost || pHost->m_bLocked || !m_pContainer)
        return;
    CRect bounds;
    CRect bar;
    if (!GetResizeBounds(&bounds, &bar))
        return;
    m_bResizing = TRUE;
    if (pHost->m_bTrackerResize)
    {
        CPoint start = point;
        ClientToScreen(&start);
        if (GetExStyle() & WS_EX_LAYOUTRTL)
            start = bar.TopLeft();
        CSplitterTracker tracker;
        CRect tracked = bar;
        if (tracker.Track(this, bounds, tracked, start, !m_bVerticalSlide) && m_pContainer)
            ApplyResize(tracked, pHost->GetClientNode()->GetScreenRect());
    }
    else
    {
        ResizeLive(bounds, bar);
    }
    m_bResizing = FALSE;
}

LRESULT CKitDockingPaneAutoHideWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        if (m_bClosing && m_pContainer)
            PollLeave();
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnLButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    default:
        break;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
