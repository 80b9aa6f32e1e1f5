#include "CDockingSplitBarWnd.h"

#include <algorithm>

#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingSplitNode.h"
#include "CSplitterTracker.h"
#include "DockingCursors.h"
#include "CToolkitResources.h"
#include "window/CDC.h"
#include "window/CFrameWnd.h"

namespace {

constexpr UINT kHorizontalSplitCursor = 9970;
constexpr UINT kVerticalSplitCursor = 9971;

MINMAXINFO LimitsOf(CDockingNode* pNode)
{
    MINMAXINFO info{};
    pNode->GetTrackLimits(&info);
    return info;
}

}  // namespace

CDockingSplitBarWnd::~CDockingSplitBarWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDockingSplitBarWnd::Create(CDockingSplitNode* pSplit, CDockingNode* pFirst, CDockingNode* pSecond)
{
    m_pSplit = pSplit;
    m_pFirst = pFirst;
    m_pSecond = pSecond;
    m_pHost = pSplit->GetHost();
    const BOOL bHorizontalSplit = pSplit->IsHorizontal();
    m_hCursor = bHorizontalSplit ? LoadDockingCursor(kHorizontalSplitCursor, IDC_SIZEWE)
                                 : LoadDockingCursor(kVerticalSplitCursor, IDC_SIZENS);
    CWnd* pSite = pSplit->GetSiteWindow();
    if (!pSite || !pSite->GetSafeHwnd())
        return FALSE;
    const LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    return CreateEx(0, pszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(), pSite, 0);
}

BOOL CDockingSplitBarWnd::IsHorizontalBar() const
{
    return m_pSplit && !m_pSplit->IsHorizontal();
}

BOOL CDockingSplitBarWnd::ComputeTrackLimits(CRect* pLimits, CRect* pUnion) const
{
    if (!m_pHost || !m_pSplit)
        return FALSE;
    const CRect first = m_pFirst->GetScreenRect();
    const CRect second = m_pSecond->GetScreenRect();
    pUnion->UnionRect(&first, &second);
    const MINMAXINFO limits1 = LimitsOf(m_pFirst);
    const MINMAXINFO limits2 = LimitsOf(m_pSecond);
    const BOOL bHorizontal = m_pSplit->IsHorizontal();
    const auto along = [bHorizontal](const POINT& pt) { return bHorizontal ? pt.x : pt.y; };
    const kit::docking::AxisSpan both = bHorizontal ? kit::docking::AxisSpan{pUnion->left, pUnion->right}
                                                    : kit::docking::AxisSpan{pUnion->top, pUnion->bottom};
    const CDockingPaneDrawer* pDrawer = m_pHost->GetDrawer();
    const std::optional<kit::docking::AxisSpan> span = kit::docking::SplitterTrackLimits(
        both, {0, along(limits1.ptMinTrackSize), along(limits1.ptMaxTrackSize), false},
        {0, along(limits2.ptMinTrackSize), along(limits2.ptMaxTrackSize), false}, m_pHost->m_nMinPaneExtent,
        pDrawer ? pDrawer->m_nSplitterThickness : 4);
    if (!span)
        return FALSE;
    *pLimits = *pUnion;
    if (bHorizontal)
    {
        pLimits->left = span->start;
        pLimits->right = span->end;
    }
    else
    {
        pLimits->top = span->start;
        pLimits->bottom = span->end;
    }
    return TRUE;
}

void CDockingSplitBarWnd::ApplyPosition(const CRect& rectBar, const CRect& rectUnion)
{
    const BOOL bHorizontal = m_pSplit->IsHorizontal();
    const CDockingPaneDrawer* pDrawer = m_pHost->GetDrawer();
    const int nGap = pDrawer ? pDrawer->m_nSplitterThickness : 4;
    int& first = bHorizontal ? m_pFirst->m_nDockingCX : m_pFirst->m_nDockingCY;
    int& second = bHorizontal ? m_pSecond->m_nDockingCX : m_pSecond->m_nDockingCY;
    const kit::docking::AxisSpan both = bHorizontal ? kit::docking::AxisSpan{rectUnion.left, rectUnion.right}
                                                    : kit::docking::AxisSpan{rectUnion.top, rectUnion.bottom};
    const BOOL bRightToLeft = bHorizontal && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const kit::docking::NeighbourSizes sizes = kit::docking::SizesAfterDrag(
        first, second, nGap, both, bHorizontal ? rectBar.left : rectBar.top, bRightToLeft != FALSE);
    first = sizes.first;
    second = sizes.second;
}

LRESULT CDockingSplitBarWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnLButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor())
            return TRUE;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CDockingSplitBarWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pSplit && m_pHost && m_pHost->GetDrawer())
        m_pHost->GetDrawer()->DrawSplitter(&dc, this);
}

BOOL CDockingSplitBarWnd::OnSetCursor()
{
    CRect limits;
    CRect both;
    if (!m_pHost || m_pHost->m_bLocked || !ComputeTrackLimits(&limits, &both))
        return FALSE;
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CDockingSplitBarWnd::OnLButtonDown(CPoint point)
{
    if (!m_pHost || m_pHost->m_bLocked)
        return;
    CRect rectBar;
    GetWindowRect(&rectBar);
    CRect limits;
    CRect both;
    if (!ComputeTrackLimits(&limits, &both))
        return;
    m_pSplit->StoreCurrentSizes();
    ClientToScreen(&point);

    // The loops let other messages through: the application may close a
    // pane meanwhile, which rebuilds the bars. The host keeps this bar alive
    // until the loop is over, and a changed structure drops the drag.
    CDockingHostWnd* pHost = m_pHost;
    CDockingHostWnd::CTrackingScope scope(pHost);
    if (!pHost->m_bTrackerResize)
    {
        TrackLive(point, rectBar, limits, both);
        return;
    }
    CSplitterTracker tracker;
    if (!tracker.Track(this, limits, rectBar, point, m_pSplit->IsHorizontal()))
        return;
    if (scope.StructureChanged())
        return;
    ApplyPosition(rectBar, both);
    MarkFrameForLayout(GetParent());
}

void CDockingSplitBarWnd::TrackLive(CPoint ptScreen, CRect rectBar, const CRect& rectLimits, const CRect& rectUnion)
{
    CDockingHostWnd* pHost = m_pHost;
    CDockingHostWnd::CTrackingScope* pScope = pHost->GetTrackingScope();
    const BOOL bHorizontal = m_pSplit->IsHorizontal();
    const int nOffset = (bHorizontal ? rectBar.left : rectBar.top) - (bHorizontal ? ptScreen.x : ptScreen.y);
    const HWND hWnd = m_hWnd;
    ::SetCapture(hWnd);
    MSG msg{};
    while (::GetCapture() == hWnd && (!pScope || !pScope->StructureChanged()))
    {
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
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint pt;
        ::GetCursorPos(&pt);
        const int nWanted = (bHorizontal ? pt.x : pt.y) + nOffset;
        const int nLow = bHorizontal ? rectLimits.left : rectLimits.top;
        const int nHigh = std::max(nLow, static_cast<int>(bHorizontal ? rectLimits.right : rectLimits.bottom));
        const int nEdge = std::clamp(nWanted, nLow, nHigh);
        const int nMove = nEdge - (bHorizontal ? rectBar.left : rectBar.top);
        if (nMove == 0 || (pScope && pScope->StructureChanged()))
            continue;
        rectBar.OffsetRect(bHorizontal ? nMove : 0, bHorizontal ? 0 : nMove);
        ApplyPosition(rectBar, rectUnion);
        if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandle(::GetParent(hWnd))))
            pFrame->RecalcLayout(TRUE);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}
