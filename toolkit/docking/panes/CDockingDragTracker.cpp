#include "CDockingDragTracker.h"

#include <algorithm>

#include "CDockingGuideWnd.h"
#include "CDockingHighlightWnd.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitNode.h"
#include "CDrawTools.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "DeviceContexts.h"
#include "window/CDC.h"

using namespace kit::docking;

namespace {

constexpr int kDragThreshold = 4;
constexpr int kOutlineWidth = 4;

CRect EnsureRectContainsPoint(CRect rect, int x, int y)
{
    if (x < rect.left)
        rect.OffsetRect(x - rect.left, 0);
    else if (x >= rect.right)
        rect.OffsetRect(x - rect.right + 1, 0);
    if (y < rect.top)
        rect.OffsetRect(0, y - rect.top);
    else if (y >= rect.bottom)
        rect.OffsetRect(0, y - rect.bottom + 1);
    return rect;
}

HRGN BuildFrameRegion(const CRect& rect)
{
    HRGN hOuter = ::CreateRectRgnIndirect(&rect);
    CRect inner = rect;
    inner.DeflateRect(kOutlineWidth, kOutlineWidth);
    if (inner.Width() > 0 && inner.Height() > 0)
    {
        HRGN hInner = ::CreateRectRgnIndirect(&inner);
        ::CombineRgn(hOuter, hOuter, hInner, RGN_DIFF);
        ::DeleteObject(hInner);
    }
    return hOuter;
}

// Collects every run of non-black pixels, row by row, into one region.
HRGN BuildRegionFromBitmap(HDC hDC, int cx, int cy)
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < cy; ++y)
    {
        int x = 0;
        while (x < cx)
        {
            while (x < cx && (::GetPixel(hDC, x, y) & 0xFFFFFF) == 0)
                ++x;
            const int start = x;
            while (x < cx && (::GetPixel(hDC, x, y) & 0xFFFFFF) != 0)
                ++x;
            if (x > start)
            {
                HRGN hRun = ::CreateRectRgn(start, y, x, y + 1);
                ::CombineRgn(hRegion, hRegion, hRun, RGN_OR);
                ::DeleteObject(hRun);
            }
        }
    }
    return hRegion;
}

HBRUSH CreateHalftoneBrush()
{
    WORD pattern[8];
    for (int i = 0; i < 8; ++i)
        pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

}  // namespace

CDockingDragTracker::CDockingDragTracker(CDockingHostWnd* pHost)
    : m_pHost(pHost), m_pPreviewWnd(std::make_unique<CDockingHighlightWnd>()),
      m_pTabWnd(std::make_unique<CDockingHighlightWnd>())
{
    if (HMODULE hUser = ::GetModuleHandleW(L"USER32"))
        m_pSetLayered = reinterpret_cast<SetLayeredFn>(
            reinterpret_cast<void*>(::GetProcAddress(hUser, "SetLayeredWindowAttributes")));
}

CDockingDragTracker::~CDockingDragTracker()
{
    // A drag cut short by the host's end still gives the desktop back.
    if (m_hDesktopDC || m_bDesktopLocked)
        EndFeedback();
    if (m_pPreviewWnd->GetSafeHwnd())
        m_pPreviewWnd->DestroyWindow();
    if (m_pTabWnd->GetSafeHwnd())
        m_pTabWnd->DestroyWindow();
    DestroyGuides();
    for (auto& entry : m_regionCache)
        ::DeleteObject(entry.second);
    if (m_hHalftone)
        ::DeleteObject(m_hHalftone);
}

BOOL CDockingDragTracker::UsesStyle9Guides() const
{
    return m_pHost->m_bStyle9Guides;
}

std::vector<CDockingNode*> CDockingDragTracker::DraggedPanes() const
{
    std::vector<CDockingNode*> panes;
    if (m_pDragged)
        m_pDragged->CollectNodesOfType(kNodePane, panes);
    return panes;
}

void CDockingDragTracker::BeginDrag(CDockingNode* pNode, int x, int y)
{
    if (!pNode || m_pDragged)
        return;
    m_rectFloating = EnsureRectContainsPoint(pNode->GetScreenRect(), x, y);
    m_ptLast = m_ptStart = CPoint(x, y);
    m_bStarted = FALSE;
    m_pDragged = pNode;
    m_pTarget = nullptr;
    m_bTabShape = m_bDrawnTabShape = FALSE;
    m_hDesktopDC = nullptr;
    m_bCanFloat = TRUE;
    m_bLayered = m_pHost->m_bLayeredFeedback && m_pSetLayered;
    m_bGuides = m_pHost->m_bGuides && m_bLayered;
    for (CDockingNode* pPaneNode : DraggedPanes())
    {
        CDockingPaneItem* pPane = AsPane(pPaneNode);
        if (m_pHost->NotifyAction(kActionFloating, pPane, nullptr, 0) || (pPane->GetEffectiveOptions() & kPaneNoFloat))
            m_bCanFloat = FALSE;
    }
    InitFeedback();
    TrackDrag();
    m_pDragged = nullptr;
    m_pTarget = nullptr;
}

void CDockingDragTracker::InitFeedback()
{
    m_rectLast.SetRectEmpty();
    m_bTabShape = m_bDrawnTabShape = FALSE;
    m_rectGuide.SetRectEmpty();
    m_pGuideTarget = m_pShownGuideTarget = nullptr;
    if (m_bLayered)
        return;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageW(&msg);
    const HWND hDesktop = ::GetDesktopWindow();
    m_bDesktopLocked = ::LockWindowUpdate(hDesktop);
    m_hDesktopDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bDesktopLocked ? DCX_LOCKWINDOWUPDATE : 0));
    if (!m_hHalftone)
        m_hHalftone = CreateHalftoneBrush();
}

void CDockingDragTracker::TrackDrag()
{
    CWnd* pSite = m_pDragged->GetSiteWindow();
    if (::GetCapture() || !pSite || !pSite->GetSafeHwnd())
    {
        EndFeedback();
        return;
    }
    const HWND hCapture = pSite->GetSafeHwnd();
    ::SetCapture(hCapture);
    CDockingHostWnd::CTrackingScope scope(m_pHost);
    BOOL bDrop = FALSE;
    while (::GetCapture() == hCapture)
    {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (scope.StructureChanged())
            break;  // a pane went away under the drag: nothing may be dropped
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)
        {
            if (msg.wParam == VK_ESCAPE)
                break;
            if (msg.wParam == VK_CONTROL)
            {
                m_bStarted = TRUE;
                Move(m_ptLast.x, m_ptLast.y);
            }
            continue;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            const CPoint point = msg.pt;
            if (!m_bStarted && std::abs(point.x - m_ptStart.x) <= kDragThreshold &&
                std::abs(point.y - m_ptStart.y) <= kDragThreshold)
                continue;
            m_bStarted = TRUE;
            Move(point.x, point.y);
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bDrop = TRUE;
            break;
        }
        if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN)
            break;
        ::DispatchMessageW(&msg);
    }
    EndFeedback();
    if (bDrop && m_bStarted && !scope.StructureChanged())
        Drop();
}

void CDockingDragTracker::Drop()
{
    const std::vector<CDockingNode*> panes = DraggedPanes();
    const auto notify = [&](int nAction) {
        for (CDockingNode* pPane : panes)
            m_pHost->NotifyAction(nAction, AsPane(pPane), nullptr, 0);
    };
    if (m_bTabShape && m_pTarget)
    {
        m_pHost->AttachNode(m_pDragged, m_pTarget);
        notify(kActionAttached);
        return;
    }
    if (m_pTarget)
    {
        CDockingNode* pNode = m_pDragged;
        // A floating frame's split docks as one group of all its panes.
        if (AsSplitNode(pNode))
            pNode = m_pHost->CloneForMove(pNode);
        if (!pNode)
            return;
        m_pHost->InsertPaneAtSide(pNode, m_pHost->MirrorSide(m_nSide), m_pTarget);
        m_pHost->GetArrangement()->SyncHolders();
        notify(kActionDocked);
        return;
    }
    if (!m_bCanFloat)
        return;
    if (m_rectFloating.top < 0)
        m_rectFloating.OffsetRect(0, -m_rectFloating.top);
    if (CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(m_pDragged->GetParentNode()); pFloating && AsSplitNode(m_pDragged))
        pFloating->SetWindowPos(nullptr, m_rectFloating.left, m_rectFloating.top, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        m_pHost->FloatNode(m_pDragged, m_rectFloating);
    notify(kActionFloated);
}

void CDockingDragTracker::Move(int x, int y)
{
    CRect moved = m_rectFloating;
    moved.OffsetRect(x - m_ptLast.x, y - m_ptLast.y);
    const CRect work = GetWorkArea(m_rectFloating);
    if (CRect().IntersectRect(&moved, &work))
        m_rectFloating = moved;
    m_pTarget = nullptr;
    m_bTabShape = FALSE;
    m_rectGuide.SetRectEmpty();
    m_pGuideTarget = nullptr;
    if (::GetKeyState(VK_CONTROL) >= 0)
        FindTarget(x, y);
    m_ptLast = CPoint(x, y);
    if (m_bGuides)
    {
        UpdateGuides();
        CDockingGuideWnd* pAnswered = nullptr;
        int nPiece = 0;
        for (const auto& pGuide : m_guides)
            if ((nPiece = pGuide->HitTest(CPoint(x, y))) != 0)
            {
                pAnswered = pGuide.get();
                break;
            }
        BOOL bAccepted = FALSE;
        if (pAnswered)
        {
            CDockingNode* pTarget = (pAnswered->GetFlags() & kGuideCentre) ? m_pGuideTarget : m_pHost->GetTopContainer();
            CRect preview = (pAnswered->GetFlags() & kGuideCentre) ? m_rectGuide : (pTarget ? pTarget->GetScreenRect() : CRect());
            if (pTarget)
            {
                m_pTarget = pTarget;
                if (nPiece == kGuideTab)
                {
                    m_bTabShape = TRUE;
                    bAccepted = CanAttachTo(pTarget);
                }
                else
                {
                    m_nSide = nPiece == kGuideLeft ? kSideLeft : nPiece == kGuideRight ? kSideRight
                                                              : nPiece == kGuideTop    ? kSideTop
                                                                                       : kSideBottom;
                    bAccepted = CanDockAt(pTarget, m_nSide);
                    if (bAccepted)
                        PreviewDockRect(&preview, m_nSide, pTarget);
                }
                m_rectPreview = preview;
            }
            if (!bAccepted)
            {
                m_pTarget = nullptr;
                m_bTabShape = FALSE;
            }
        }
        for (const auto& pGuide : m_guides)
        {
            const int nHighlight = pGuide.get() == pAnswered && bAccepted ? nPiece : 0;
            if (pGuide->m_nHighlighted != nHighlight)
            {
                pGuide->m_nHighlighted = nHighlight;
                pGuide->Invalidate(FALSE);
            }
        }
    }
    DrawFeedback(FALSE);
}

void CDockingDragTracker::FindTarget(int x, int y)
{
    const CPoint point(x, y);
    for (const HolderRecord& record : m_pHost->GetArrangement()->GetHolderList())
    {
        CKitDockingPaneTabbedContainer* pContainer = AsTabbedContainer(record.pPane->GetParentNode());
        if (!pContainer || !AsSplitNode(pContainer->GetParentNode()) || !pContainer->GetSafeHwnd() ||
            !pContainer->IsWindowVisible())
            continue;
        const CRect whole = pContainer->GetScreenRect();
        m_rectPreview = whole;
        CRect rect = whole;
        // A pane torn off a group it holds alone would leave that group empty.
        if (m_pDragged->ContainsNode(pContainer) ||
            (pContainer->GetPaneCount() == 1 && pContainer->GetPaneAt(0) == m_pDragged))
            continue;
        if (pContainer->IsInDropArea(&rect, x, y))
        {
            if (CanAttachTo(pContainer))
            {
                m_pTarget = pContainer;
                m_bTabShape = TRUE;
                return;
            }
            rect = whole;
        }
        if (m_bGuides)
        {
            if (rect.PtInRect(point))
            {
                m_pGuideTarget = pContainer;
                m_rectGuide = whole;
                return;
            }
        }
        else if (TestDockSide(rect, x, y, pContainer, TRUE))
        {
            return;
        }
    }
    CDockingNode* pClient = m_pHost->GetClientNode();
    CDockingNode* pTop = m_pHost->GetTopContainer();
    if (!m_bGuides)
    {
        if (pClient && TestDockSide(pClient->GetScreenRect(), x, y, pClient, TRUE))
            return;
        if (pTop)
            TestDockSide(pTop->GetScreenRect(), x, y, pTop, FALSE);
        return;
    }
    if (!m_rectGuide.IsRectEmpty())
        return;
    if (pClient && !pClient->IsEmptyNode() && pClient->GetScreenRect().PtInRect(point))
    {
        m_rectGuide = pClient->GetScreenRect();
        m_pGuideTarget = pClient;
    }
    else if (pTop && pTop->GetScreenRect().PtInRect(point))
    {
        m_rectGuide = pTop->GetScreenRect();
    }
}

BOOL CDockingDragTracker::TestDockSide(CRect rect, int x, int y, CDockingNode* pCandidate, BOOL bInside)
{
    int nLimit = 20;
    double scale = 1.0;
    if (bInside && !m_bCanFloat)
    {
        nLimit = 32000;
        if (rect.Width() > 1 && rect.Height() > 1)
            scale = static_cast<double>(rect.Height()) / rect.Width();
    }
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    const CPoint point(x, y);
    if (bInside ? !rect.PtInRect(point) : (!CRect(rect.left - 20, rect.top - 20, rect.right + 20, rect.bottom + 20).PtInRect(point) || rect.PtInRect(point)))
        return FALSE;
    struct Edge
    {
        int nSide;
        double distance;
        BOOL bInner;
    };
    const Edge edges[] = {
        {kSideTop, static_cast<double>(std::abs(y - rect.top)), y >= rect.top},
        {kSideBottom, static_cast<double>(std::abs(rect.bottom - y)), y < rect.bottom},
        {kSideLeft, std::abs(x - rect.left) * scale, x >= rect.left},
        {kSideRight, std::abs(rect.right - x) * scale, x < rect.right},
    };
    double best = nLimit;
    int nSide = -1;
    for (const Edge& edge : edges)
        if (edge.distance < best && edge.bInner == bInside)
        {
            best = edge.distance;
            nSide = edge.nSide;
        }
    if (nSide < 0 || !CanDockAt(pCandidate, nSide))
        return FALSE;
    m_pTarget = pCandidate;
    m_nSide = nSide;
    PreviewDockRect(&m_rectPreview, nSide, pCandidate);
    return TRUE;
}

void CDockingDragTracker::PreviewDockRect(CRect* pRect, int nScreenSide, CDockingNode* pTarget)
{
    // Sides here are seen on the screen; the layout of a right-to-left frame
    // counts them mirrored, so the preview asks for the side the drop takes.
    m_pHost->ComputeDockRect(pRect, m_pDragged, m_pHost->MirrorSide(nScreenSide), pTarget);
    pRect->NormalizeRect();
}

BOOL CDockingDragTracker::CanDockAt(CDockingNode* pNode, int nSide)
{
    for (CDockingNode* pPane : DraggedPanes())
        if (m_pHost->NotifyAction(kActionDocking, AsPane(pPane), pNode, nSide))
            return FALSE;
    return TRUE;
}

BOOL CDockingDragTracker::CanAttachTo(CDockingNode* pNode)
{
    for (CDockingNode* pPane : DraggedPanes())
        if (m_pHost->NotifyAction(kActionAttaching, AsPane(pPane), pNode, 0))
            return FALSE;
    return TRUE;
}

void CDockingDragTracker::DestroyGuides()
{
    for (auto& pGuide : m_guides)
        if (pGuide->GetSafeHwnd())
            pGuide->DestroyWindow();
    m_guides.clear();
}

void CDockingDragTracker::UpdateGuides()
{
    if (m_rectGuide.IsRectEmpty())
    {
        m_pShownGuideTarget = nullptr;
        m_bGuidesShown = FALSE;
        DestroyGuides();
        return;
    }
    const CSize size = CDockingGuideWnd::GetGuideSize(kGuideCentre, UsesStyle9Guides());
    const CPoint centre = m_rectGuide.CenterPoint();
    const CRect rectCentre(CPoint(centre.x - size.cx / 2, centre.y - size.cy / 2), size);
    if (m_bGuidesShown && m_pGuideTarget == m_pShownGuideTarget)
        return;
    DestroyGuides();
    if (CDockingNode* pTarget = m_pGuideTarget)
    {
        int nFlags = kGuideCentre;
        nFlags |= CanDockAt(pTarget, kSideLeft) ? kGuideLeft : 0;
        nFlags |= CanDockAt(pTarget, kSideRight) ? kGuideRight : 0;
        nFlags |= CanDockAt(pTarget, kSideBottom) ? kGuideBottom : 0;
        nFlags |= CanDockAt(pTarget, kSideTop) ? kGuideTop : 0;
        if (pTarget != m_pHost->GetClientNode() && CanAttachTo(pTarget))
            nFlags |= kGuideTab;
        CreateGuideWindow(rectCentre, nFlags);
    }
    if (CDockingNode* pTop = m_pHost->GetTopContainer())
    {
        const CRect top = pTop->GetScreenRect();
        const BOOL bStyle9 = UsesStyle9Guides();
        const CSize vertical = CDockingGuideWnd::GetGuideSize(kGuideTop, bStyle9);
        const CSize horizontal = CDockingGuideWnd::GetGuideSize(kGuideLeft, bStyle9);
        const int cx = (top.left + top.right) / 2;
        const int cy = (top.top + top.bottom) / 2;
        if (CanDockAt(pTop, kSideTop))
            CreateGuideWindow(CRect(CPoint(cx - vertical.cx / 2, top.top + 16), vertical), kGuideTop);
        if (CanDockAt(pTop, kSideLeft))
            CreateGuideWindow(CRect(CPoint(top.left + 16, cy - horizontal.cy / 2), horizontal), kGuideLeft);
        if (CanDockAt(pTop, kSideBottom))
            CreateGuideWindow(CRect(CPoint(cx - vertical.cx / 2, top.bottom - 16 - vertical.cy), vertical), kGuideBottom);
        if (CanDockAt(pTop, kSideRight))
            CreateGuideWindow(CRect(CPoint(top.right - 16 - horizontal.cx, cy - horizontal.cy / 2), horizontal), kGuideRight);
    }
    m_pShownGuideTarget = m_pGuideTarget;
    m_bGuidesShown = TRUE;
}

void CDockingDragTracker::CreateGuideWindow(const CRect& rect, int nFlags)
{
    if (nFlags == 0 || nFlags == kGuideCentre)
        return;
    auto pGuide = std::make_unique<CDockingGuideWnd>(this, nFlags);
    const LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    CWnd* pOwner = m_pHost->GetSiteFrame();
    if (!pGuide->CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, pszClass, L"", WS_POPUP, rect, pOwner, 0))
        return;
    auto it = m_regionCache.find(nFlags);
    if (it == m_regionCache.end())
    {
        CWindowDC screen(nullptr);
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(screen.GetSafeHdc(), rect.Width(), rect.Height()));
        CBitmapDC dc(screen.GetSafeHdc(), static_cast<HBITMAP>(bitmap.GetSafeHandle()));
        const CRect local(0, 0, rect.Width(), rect.Height());
        dc.FillSolidRect(&local, RGB(0, 0, 0));
        pGuide->DrawGuide(&dc);
        it = m_regionCache.emplace(nFlags, BuildRegionFromBitmap(dc.GetSafeHdc(), rect.Width(), rect.Height())).first;
    }
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(hCopy, it->second, nullptr, RGN_COPY);
    ::SetWindowRgn(pGuide->GetSafeHwnd(), hCopy, FALSE);
    ::SetWindowPos(pGuide->GetSafeHwnd(), HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_guides.push_back(std::move(pGuide));
}

void CDockingDragTracker::CreateLayeredWindow(CDockingHighlightWnd& wnd, const CRect& rect)
{
    if (wnd.GetSafeHwnd())
        return;
    const LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!wnd.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, pszClass, L"", WS_POPUP, rect,
                      m_pHost->GetSiteFrame(), 0))
        return;
    m_pSetLayered(wnd.GetSafeHwnd(), 0, 100, LWA_ALPHA);
}

HRGN CDockingDragTracker::BuildOutlineRegion(const CRect& rect, BOOL bTab) const
{
    if (rect.IsRectEmpty())
        return ::CreateRectRgn(0, 0, 0, 0);
    if (!bTab)
        return BuildFrameRegion(rect);
    const int nBand = std::min(rect.Height() / 2, 20);
    const CRect body(rect.left, rect.top, rect.right, rect.bottom - nBand);
    const CRect tab(rect.left + 5, rect.bottom - nBand - kOutlineWidth, std::min<LONG>(rect.left + 55, rect.right),
                    rect.bottom);
    HRGN hBody = BuildFrameRegion(body);
    HRGN hTab = BuildFrameRegion(tab);
    // The edge body and tab share opens so that they read as one outline; it
    // opens short of its ends, which stay closed as the tab's sides.
    HRGN hShared = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(hShared, hBody, hTab, RGN_AND);
    CRect shared;
    ::GetRgnBox(hShared, &shared);
    ::CombineRgn(hBody, hBody, hTab, RGN_OR);
    shared.DeflateRect(kOutlineWidth, 0);
    if (!shared.IsRectEmpty())
    {
        ::SetRectRgn(hShared, shared.left, shared.top, shared.right, shared.bottom);
        ::CombineRgn(hBody, hBody, hShared, RGN_XOR);
    }
    ::DeleteObject(hShared);
    ::DeleteObject(hTab);
    return hBody;
}

void CDockingDragTracker::DrawFeedback(BOOL bErase)
{
    CRect rect = m_pTarget ? m_rectPreview : m_rectFloating;
    if (!m_pTarget && !m_bCanFloat)
        rect.SetRectEmpty();
    if (bErase)
        rect.SetRectEmpty();
    if (m_bLayered)
    {
        if (m_bTabShape != m_bDrawnTabShape && !m_bTabShape && m_pTabWnd->GetSafeHwnd())
            m_pTabWnd->DestroyWindow();
        if (m_bTabShape && !rect.IsRectEmpty())
        {
            const int nBand = std::min(rect.Height() / 2, 20);
            const int nWidth = std::min(rect.Width() - 5, 50);
            auto* pContainer = AsTabbedContainer(m_pTarget);
            const BOOL bTop = pContainer && m_pHost->GetDrawer()->m_pPaneTabDrawer &&
                              m_pHost->GetDrawer()->m_pPaneTabDrawer->GetPosition() == 0;
            CRect band;
            if (bTop)
            {
                const int nTop = rect.top + (pContainer->HasCaption() ? m_pHost->GetDrawer()->m_nCaptionHeight + 3 : 0);
                band = CRect(rect.left + 5, nTop, rect.left + 5 + nWidth, nTop + nBand);
                rect.top = band.bottom;
            }
            else
            {
                band = CRect(rect.left + 5, rect.bottom - nBand, rect.left + 5 + nWidth, rect.bottom);
                rect.bottom = band.top;
            }
            CreateLayeredWindow(*m_pTabWnd, band);
            m_pTabWnd->SetWindowPos(nullptr, band.left, band.top, band.Width(), band.Height(),
                                    SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        }
        m_bDrawnTabShape = m_bTabShape;
        if (rect.IsRectEmpty())
        {
            if (m_pPreviewWnd->GetSafeHwnd())
                m_pPreviewWnd->ShowWindow(SW_HIDE);
        }
        else
        {
            CRect current;
            if (m_pPreviewWnd->GetSafeHwnd())
            {
                m_pPreviewWnd->GetWindowRect(&current);
                if (current.Size() != rect.Size())
                    m_pPreviewWnd->DestroyWindow();
            }
            CreateLayeredWindow(*m_pPreviewWnd, rect);
            m_pPreviewWnd->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                        SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        }
        m_rectLast = rect;
        return;
    }
    if (!m_hDesktopDC)
        return;
    HRGN hNew = BuildOutlineRegion(rect, m_bTabShape);
    HRGN hOld = BuildOutlineRegion(m_rectLast, m_bDrawnTabShape);
    ::CombineRgn(hNew, hNew, hOld, RGN_XOR);
    ::SelectClipRgn(m_hDesktopDC, hNew);
    CRect box;
    ::GetClipBox(m_hDesktopDC, &box);
    const HGDIOBJ hOldBrush = ::SelectObject(m_hDesktopDC, m_hHalftone);
    ::PatBlt(m_hDesktopDC, box.left, box.top, box.Width(), box.Height(), PATINVERT);
    ::SelectObject(m_hDesktopDC, hOldBrush);
    ::SelectClipRgn(m_hDesktopDC, nullptr);
    ::DeleteObject(hNew);
    ::DeleteObject(hOld);
    m_rectLast = rect;
    m_bDrawnTabShape = m_bTabShape;
}

void CDockingDragTracker::EndFeedback()
{
    if (m_pDragged)
        if (CWnd* pSite = m_pDragged->GetSiteWindow(); pSite && pSite->GetSafeHwnd() && ::GetCapture() == pSite->GetSafeHwnd())
            ::ReleaseCapture();
    if (!m_bLayered || m_hDesktopDC || m_bDesktopLocked)
    {
        if (m_hDesktopDC)
            DrawFeedback(TRUE);
        if (m_bDesktopLocked)
            ::LockWindowUpdate(nullptr);
        m_bDesktopLocked = FALSE;
        if (m_hDesktopDC)
            ::ReleaseDC(::GetDesktopWindow(), m_hDesktopDC);
        m_hDesktopDC = nullptr;
    }
    if (m_pPreviewWnd->GetSafeHwnd())
        m_pPreviewWnd->DestroyWindow();
    if (m_pTabWnd->GetSafeHwnd())
        m_pTabWnd->DestroyWindow();
    DestroyGuides();
    m_bGuidesShown = FALSE;
    for (auto& entry : m_regionCache)
        ::DeleteObject(entry.second);
    m_regionCache.clear();
}
