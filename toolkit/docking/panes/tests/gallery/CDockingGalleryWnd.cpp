#include "CDockingGalleryWnd.h"

#include <algorithm>
#include <string>

#include "CSplitterTracker.h"

using namespace kit::docking;

namespace {

constexpr wchar_t kFrameClass[] = L"PelmoDockingGallery";
constexpr wchar_t kBarClass[] = L"PelmoDockingSplitBar";

void RegisterClasses(WNDPROC frameProc, WNDPROC barProc)
{
    WNDCLASSEXW wc{sizeof(wc)};
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpfnWndProc = frameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    ::RegisterClassExW(&wc);
    wc.lpfnWndProc = barProc;
    wc.lpszClassName = kBarClass;
    ::RegisterClassExW(&wc);
}

RECT ToRect(const kit::KitRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

CDockingGalleryWnd::CDockingGalleryWnd(StoredArrangement arrangement) : m_arrangement(std::move(arrangement)) {}

CDockingGalleryWnd::~CDockingGalleryWnd()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

BOOL CDockingGalleryWnd::Create(int x, int y, int clientWidth, int clientHeight)
{
    RegisterClasses(FrameProc, BarProc);
    RECT rc{0, 0, clientWidth, clientHeight};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&rc, style, FALSE, 0);
    m_hWnd = ::CreateWindowExW(0, kFrameClass, L"Docking gallery", style, x, y, rc.right - rc.left,
                               rc.bottom - rc.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!m_hWnd)
        return FALSE;
    CreateChildren();
    Relayout();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return TRUE;
}

void CDockingGalleryWnd::CreateChildren()
{
    const HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    m_hView = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"View", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0,
                                m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewId)), hInstance, nullptr);
    for (const StoredNode& node : m_arrangement.nodes)
    {
        if (node.type != kNodePane)
            continue;
        const std::wstring title(node.title.begin(), std::find(node.title.begin(), node.title.end(), u'\n'));
        HWND hPane = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", title.c_str(), WS_CHILD | SS_CENTER, 0, 0, 0, 0,
                                       m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(node.id)), hInstance,
                                       nullptr);
        m_panes.emplace_back(node.id, hPane);
    }
}

HWND CDockingGalleryWnd::GetPaneWindow(int nPaneId) const
{
    if (nPaneId == kViewId)
        return m_hView;
    for (const auto& [id, hWnd] : m_panes)
        if (id == nPaneId)
            return hWnd;
    return nullptr;
}

HWND CDockingGalleryWnd::GetBarWindow(size_t nBar) const { return nBar < m_bars.size() ? m_bars[nBar] : nullptr; }

void CDockingGalleryWnd::ClosePane(int nPaneId)
{
    for (StoredNode& node : m_arrangement.nodes)
    {
        if (node.type != kNodeTabbedContainer)
            continue;
        for (size_t i = 0; i < node.children.size(); ++i)
        {
            const StoredNode* pane = m_arrangement.Node(node.children[i]);
            if (!pane || pane->id != nPaneId)
                continue;
            if (node.selected == node.children[i])
                node.selected = 0;
            node.children.erase(node.children.begin() + static_cast<std::ptrdiff_t>(i));
            if (node.selected == 0 && !node.children.empty())
                node.selected = node.children.front();
            Relayout();
            return;
        }
    }
}

void CDockingGalleryWnd::Relayout()
{
    RECT rcClient{};
    ::GetClientRect(m_hWnd, &rcClient);
    m_placement = LayoutArrangement(m_arrangement, {rcClient.left, rcClient.top, rcClient.right, rcClient.bottom},
                                    kSplitterSize);
    HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(m_panes.size() + m_placement.bars.size() + 1));
    auto place = [&](HWND hWnd, const kit::KitRect& r, bool visible) {
        hDwp = ::DeferWindowPos(hDwp, hWnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    };
    place(m_hView, m_placement.view, true);
    for (int32_t index = 1; index <= static_cast<int32_t>(m_arrangement.nodes.size()); ++index)
    {
        const StoredNode& node = *m_arrangement.Node(index);
        if (node.type != kNodePane)
            continue;
        // A pane shows when it is the selected tab of a docked group.
        bool shown = false;
        for (const StoredNode& group : m_arrangement.nodes)
            if (group.type == kNodeTabbedContainer && group.selected == index)
                shown = !m_placement.Rect(index).IsEmpty();
        place(GetPaneWindow(node.id), m_placement.Rect(index), shown);
    }
    while (m_bars.size() < m_placement.bars.size())
    {
        const int nId = kFirstBarId + static_cast<int>(m_bars.size());
        m_bars.push_back(::CreateWindowExW(0, kBarClass, L"", WS_CHILD, 0, 0, 0, 0, m_hWnd,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                                           ::GetModuleHandleW(nullptr), this));
    }
    for (size_t i = 0; i < m_bars.size(); ++i)
    {
        const bool used = i < m_placement.bars.size();
        place(m_bars[i], used ? m_placement.bars[i].rect : kit::KitRect{}, used);
    }
    ::EndDeferWindowPos(hDwp);
}

void CDockingGalleryWnd::TrackBar(HWND hBar, POINT ptClient)
{
    const auto found = std::find(m_bars.begin(), m_bars.end(), hBar);
    if (found == m_bars.end())
        return;
    const size_t nBar = static_cast<size_t>(found - m_bars.begin());
    if (nBar >= m_placement.bars.size())
        return;
    // Copies: the placement is rebuilt if the tree changes during the drag.
    const SplitBarPlace bar = m_placement.bars[nBar];
    const ArrangementPlacement placement = m_placement;
    const std::optional<AxisSpan> limits = BarTrackLimits(m_arrangement, placement, bar, kMinimumPaneExtent,
                                                          kSplitterSize);
    if (!limits)
        return;
    RECT rcBar = ToRect(bar.rect);
    RECT rcLimits = bar.horizontalSplit ? RECT{limits->start, rcBar.top, limits->end, rcBar.bottom}
                                        : RECT{rcBar.left, limits->start, rcBar.right, limits->end};
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcBar), 2);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcLimits), 2);
    POINT ptStart = ptClient;
    ::ClientToScreen(hBar, &ptStart);
    CSplitterTracker tracker;
    if (!tracker.Track(CWnd::FromHandle(hBar), rcLimits, rcBar, ptStart, bar.horizontalSplit))
        return;
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcBar), 2);
    if (!DropBar(m_arrangement, placement, bar, bar.horizontalSplit ? rcBar.left : rcBar.top, kSplitterSize, false))
        return;
    Relayout();
    // The tracker drew on the locked desktop; everything it crossed is painted again.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT CALLBACK CDockingGalleryWnd::FrameProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE)
    {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pThis = reinterpret_cast<CDockingGalleryWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis && nMsg == WM_SIZE && pThis->m_hView)
        pThis->Relayout();
    if (pThis && nMsg == WM_NCDESTROY)
        pThis->m_hWnd = nullptr;
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK CDockingGalleryWnd::BarProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE)
    {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pThis = reinterpret_cast<CDockingGalleryWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (nMsg)
    {
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        return TRUE;
    case WM_LBUTTONDOWN:
        if (pThis)
            pThis->TrackBar(hWnd, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    default:
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
}
