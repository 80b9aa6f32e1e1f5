#include "CKitTabClientWnd.h"

#include <algorithm>

#include "CColorTable.h"
#include "CSplitterTracker.h"
#include "CTabStripDrawer.h"
#include "CaptureLoop.h"
#include "DeviceContexts.h"
#include "core/TabGroupSizes.h"
#include "window/AfxMessages.h"

IMPLEMENT_DYNAMIC(CKitTabClientWnd, CWnd)

namespace
{
// Styles a child loses in a group: caption, thick frame, minimize and
// maximize boxes.
constexpr DWORD kGroupedChildStyles = 0xC70000;

// The framed-client parts of the drawer's appearance: 0 the non-client
// frame (window coordinates from 0,0), 1 adjusts a proposed client
// rectangle, 2 a vertical splitter bar, 3 a horizontal one.
void DrawTabClientFrame(CTabStripDrawer* pDrawer, CDC* pDC, CRect& rect, int nPart)
{
    CTabStripPalette* pPalette = pDrawer->GetPalette();
    const COLORREF clrOutline = pPalette->m_clrOutline;
    if (!pDrawer->m_bFrame)
    {
        if (nPart == 1)
            rect.InflateRect(2, 2);
        else if ((nPart == 2 || nPart == 3) && pDC != nullptr)
            pDC->FillSolidRect(&rect, pPalette->m_headerGradient.light);
        return;
    }
    switch (nPart)
    {
    case 0:
        if (pDC != nullptr)
        {
            const COLORREF clrFace = GetColorTable()->GetColor(15);
            pDC->Draw3dRect(1, 0, rect.Width() - 2, rect.Height() - 1, clrFace, clrFace);
            pDC->Draw3dRect(0, 0, rect.Width(), rect.Height(), clrOutline, clrOutline);
        }
        break;
    case 1:
        rect.top -= 1;
        break;
    case 2:
    case 3:
        if (pDC != nullptr)
        {
            pDC->FillSolidRect(&rect, pPalette->m_clrFace);
            if (nPart == 2)
                pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrOutline);
            else
                pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrOutline);
        }
        break;
    default:
        break;
    }
}

bool IsMdiChild(HWND hWnd)
{
    return (::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}
} // namespace

CKitTabClientWnd::CKitTabClientWnd()
{
    m_pDrawer = new CTabStripDrawer();
    m_pDrawer->ChooseShape(2);
    m_pDrawer->m_bHotTracking = TRUE;
    m_hCursorSideBySide = ::LoadCursorW(nullptr, IDC_SIZEWE);
    m_hCursorStacked = ::LoadCursorW(nullptr, IDC_SIZENS);
}

CKitTabClientWnd::~CKitTabClientWnd()
{
    DestroyGroups();
    if (m_hWnd != nullptr)
        UnsubclassWindow();
    m_pDrawer->InternalRelease();
}

void CKitTabClientWnd::DestroyGroups()
{
    for (CTabClientGroup* pGroup : m_groups)
    {
        if (pGroup->m_hWnd != nullptr)
            pGroup->DestroyWindow();
        delete pGroup;
    }
    m_groups.clear();
    m_pActiveGroup = nullptr;
}

void CKitTabClientWnd::PostNcDestroy()
{
    // The client goes with its frame; the groups' windows went with it.
    DestroyGroups();
}

BOOL CKitTabClientWnd::AttachToFrame(CMDIFrameWnd* pFrame, BOOL bGrouping)
{
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr || m_hWnd != nullptr ||
        FromHandlePermanent(pFrame->m_hWndMDIClient) != nullptr)
        return FALSE;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    m_bGrouping = bGrouping;
    // The client frame is the drawer's now; the children already there
    // become tabs.
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bLayoutDirty = TRUE;
    Refresh();
    return TRUE;
}

int CKitTabClientWnd::IndexOfGroup(const CTabStrip* pGroup) const
{
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (static_cast<const CTabStrip*>(m_groups[i]) == pGroup)
            return static_cast<int>(i);
    return -1;
}

CKitTabManagerItem* CKitTabClientWnd::FindTabItem(HWND hWnd) const
{
    for (CTabClientGroup* pGroup : m_groups)
        if (CKitTabManagerItem* pItem = pGroup->FindItemByWindow(hWnd))
            return pItem;
    return nullptr;
}

CTabClientGroup* CKitTabClientWnd::GroupOfItem(const CKitTabManagerItem* pItem) const
{
    if (pItem == nullptr)
        return nullptr;
    const int nIndex = IndexOfGroup(pItem->m_pStrip);
    return nIndex >= 0 ? m_groups[static_cast<size_t>(nIndex)] : nullptr;
}

CTabClientGroup* CKitTabClientWnd::GroupFromPoint(CPoint point) const
{
    for (CTabClientGroup* pGroup : m_groups)
        if (pGroup->m_rectControl.PtInRect(point))
            return pGroup;
    return nullptr;
}

CWnd* CKitTabClientWnd::GetActiveChild() const
{
    return m_pFrame != nullptr ? m_pFrame->MDIGetActive() : nullptr;
}

void CKitTabClientWnd::ActivateTabChild(CKitTabManagerItem* pItem)
{
    HWND hChild = pItem != nullptr ? pItem->m_hWndAttached : nullptr;
    if (hChild == nullptr || !::IsWindow(hChild))
        return;
    // A hidden child is shown first: the client does not activate hidden ones.
    if (!::IsWindowVisible(hChild))
        ::ShowWindow(hChild, SW_SHOWNA);
    ::SendMessageW(m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
}

CPoint CKitTabClientWnd::ScreenToWorkspace(CPoint point) const
{
    if (m_bGrouping)
        ::ScreenToClient(m_hWnd, &point);
    else if (!m_groups.empty() && m_groups.front()->m_hWnd != nullptr)
        ::ScreenToClient(m_groups.front()->m_hWnd, &point);
    return point;
}

CString CKitTabClientWnd::GetChildKey(HWND hWndChild) const
{
    CString text;
    const int nLength = ::GetWindowTextLengthW(hWndChild);
    if (nLength > 0)
    {
        std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1);
        ::GetWindowTextW(hWndChild, buffer.data(), nLength + 1);
        text = buffer.data();
    }
    return text;
}

CTabClientGroup* CKitTabClientWnd::AddTabGroup(int nIndex)
{
    auto* pGroup = new CTabClientGroup(this);
    // Hidden beside the client; it shows the tab row only without grouping.
    HWND hParent = m_pFrame != nullptr ? m_pFrame->m_hWnd : ::GetParent(m_hWnd);
    pGroup->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)), L"", WS_CHILD | WS_CLIPSIBLINGS,
                     CRect(0, 0, 0, 0), CWnd::FromHandle(hParent), 0);
    nIndex = std::clamp(nIndex, 0, GetTabGroupCount());
    m_groups.insert(m_groups.begin() + nIndex, pGroup);
    return pGroup;
}

void CKitTabClientWnd::StripChildFrame(HWND hWndChild)
{
    if (!m_bGrouping)
        return;
    const LONG_PTR style = ::GetWindowLongPtrW(hWndChild, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(hWndChild, GWL_EXSTYLE);
    if ((style & kGroupedChildStyles) == 0 && (exStyle & WS_EX_CLIENTEDGE) == 0)
        return;
    // A maximized child would cover the groups.
    if (style & WS_MAXIMIZE)
        ::SendMessageW(m_hWnd, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hWndChild), 0);
    ::SetWindowLongPtrW(hWndChild, GWL_STYLE, ::GetWindowLongPtrW(hWndChild, GWL_STYLE) & ~kGroupedChildStyles);
    ::SetWindowLongPtrW(hWndChild, GWL_EXSTYLE, exStyle & ~WS_EX_CLIENTEDGE);
    ::SetWindowPos(hWndChild, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CKitTabClientWnd::SyncChildren()
{
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (IsMdiChild(hChild))
            children.push_back(hChild);

    // Tabs of children that went.
    for (CTabClientGroup* pGroup : m_groups)
        for (int i = pGroup->GetItemCount() - 1; i >= 0; --i)
        {
            HWND hAttached = pGroup->GetItem(i)->m_hWndAttached;
            if (std::find(children.begin(), children.end(), hAttached) == children.end())
                pGroup->DeleteItem(i);
        }

    // New children join the group that was active; z-order lists the newest
    // first, so they are added from the back.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        HWND hChild = *it;
        CKitTabManagerItem* pItem = FindTabItem(hChild);
        if (pItem == nullptr)
        {
            CTabClientGroup* pTarget = m_pActiveGroup;
            if (pTarget == nullptr || IndexOfGroup(pTarget) < 0)
                pTarget = m_groups.empty() ? AddTabGroup(0) : m_groups.front();
            StripChildFrame(hChild);
            pItem = pTarget->InsertItem(-1);
            pItem->m_hWndAttached = hChild;
            pItem->m_strCaption = GetChildKey(hChild);
            if (pTarget->GetSelectedItem() == nullptr)
                pTarget->SetSelectedItem(pItem);
            m_bLayoutDirty = TRUE;
        }
        else
        {
            const CString caption = GetChildKey(hChild);
            if (!(caption == pItem->m_strCaption))
            {
                pItem->m_strCaption = caption;
                m_bLayoutDirty = TRUE;
            }
        }
    }
}

void CKitTabClientWnd::RemoveEmptyGroups()
{
    for (size_t i = m_groups.size(); i-- > 0;)
    {
        CTabClientGroup* pGroup = m_groups[i];
        if (pGroup->GetItemCount() > 0)
            continue;
        // The space of a group that goes is given to its neighbour.
        if (m_groups.size() > 1)
        {
            CTabClientGroup* pNeighbour = i > 0 ? m_groups[i - 1] : m_groups[i + 1];
            pNeighbour->m_dSize += std::max(0.0, pGroup->m_dSize) + m_nSplitterWidth;
        }
        if (m_pActiveGroup == pGroup)
            m_pActiveGroup = nullptr;
        m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(i));
        if (pGroup->m_hWnd != nullptr)
            pGroup->DestroyWindow();
        delete pGroup;
        m_bLayoutDirty = TRUE;
    }
}

void CKitTabClientWnd::LayoutGroupStrip(CTabClientGroup* pGroup)
{
    if (m_hWnd == nullptr)
        return;
    if (m_bGrouping)
    {
        CClientDC dc(this);
        m_pDrawer->RepositionTabs(pGroup, &dc, pGroup->m_rectControl);
    }
    else if (pGroup->m_hWnd != nullptr)
    {
        CClientDC dc(pGroup);
        CRect rect;
        pGroup->GetClientRect(&rect);
        m_pDrawer->RepositionTabs(pGroup, &dc, rect);
    }
}

void CKitTabClientWnd::PlaceGroups()
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!m_bGrouping)
    {
        // One row of tabs just above the client, which gives up that band;
        // the children keep their frames and places.
        if (m_groups.empty())
            return;
        CTabClientGroup* pGroup = m_groups.front();
        HWND hParent = ::GetParent(m_hWnd);
        CRect rectWindow, rectRow;
        GetWindowRect(&rectWindow);
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rectWindow), 2);
        const int nHeight = m_pDrawer->GetShapeRowHeight(pGroup) + 4;
        pGroup->GetWindowRect(&rectRow);
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rectRow), 2);
        const bool bPlaced = pGroup->IsWindowVisible() && rectRow.bottom == rectWindow.top &&
                             rectRow.left == rectWindow.left && rectRow.Width() == rectWindow.Width();
        if (!bPlaced)
        {
            ::SetWindowPos(pGroup->m_hWnd, HWND_TOP, rectWindow.left, rectWindow.top, rectWindow.Width(), nHeight,
                           SWP_NOACTIVATE | SWP_SHOWWINDOW);
            SetWindowPos(nullptr, rectWindow.left, rectWindow.top + nHeight, rectWindow.Width(),
                         std::max(0, static_cast<int>(rectWindow.Height()) - nHeight), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        LayoutGroupStrip(pGroup);
        pGroup->Invalidate(FALSE);
        return;
    }

    const bool bSideBySide = m_nOrientation == 0;
    std::vector<double> sizes;
    for (CTabClientGroup* pGroup : m_groups)
        sizes.push_back(pGroup->m_dSize);
    const int nAvailable = bSideBySide ? rectClient.Width() : rectClient.Height();
    const std::vector<int> extents = kit::tabs::GroupExtents(sizes, nAvailable, m_nSplitterWidth);
    int nPos = bSideBySide ? rectClient.left : rectClient.top;
    for (size_t i = 0; i < m_groups.size(); ++i)
    {
        CTabClientGroup* pGroup = m_groups[i];
        CRect rect = rectClient;
        if (bSideBySide)
        {
            rect.left = nPos;
            rect.right = nPos + extents[i];
        }
        else
        {
            rect.top = nPos;
            rect.bottom = nPos + extents[i];
        }
        nPos += extents[i];
        pGroup->m_rectSplitter.SetRectEmpty();
        if (i + 1 < m_groups.size())
        {
            pGroup->m_rectSplitter = rectClient;
            if (bSideBySide)
            {
                pGroup->m_rectSplitter.left = nPos;
                pGroup->m_rectSplitter.right = nPos + m_nSplitterWidth;
            }
            else
            {
                pGroup->m_rectSplitter.top = nPos;
                pGroup->m_rectSplitter.bottom = nPos + m_nSplitterWidth;
            }
            nPos += m_nSplitterWidth;
        }
        pGroup->m_rectControl = rect;
        LayoutGroupStrip(pGroup);
        if (pGroup->m_hWnd != nullptr && pGroup->IsWindowVisible())
            pGroup->ShowWindow(SW_HIDE);

        // The selected tab's child fills the group's client area; the others
        // wait hidden.
        CKitTabManagerItem* pSelected = pGroup->GetSelectedItem();
        for (int t = 0; t < pGroup->GetItemCount(); ++t)
        {
            CKitTabManagerItem* pItem = pGroup->GetItem(t);
            HWND hChild = pItem->m_hWndAttached;
            if (hChild == nullptr || !::IsWindow(hChild))
                continue;
            if (pItem == pSelected)
            {
                const CRect& rc = pGroup->m_rectClient;
                ::SetWindowPos(hChild, nullptr, rc.left, rc.top, std::max(0, static_cast<int>(rc.Width())),
                               std::max(0, static_cast<int>(rc.Height())),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            }
            else if (::IsWindowVisible(hChild))
            {
                ::ShowWindow(hChild, SW_HIDE);
            }
        }
    }
}

void CKitTabClientWnd::Refresh()
{
    if (m_hWnd == nullptr || m_bInRefresh)
        return;
    m_bInRefresh = TRUE;
    SyncChildren();

    // The active child's tab is selected in its group, and that group is the
    // active strip.
    HWND hActive = nullptr;
    if (CWnd* pActive = GetActiveChild())
        hActive = pActive->m_hWnd;
    if (CKitTabManagerItem* pActiveItem = FindTabItem(hActive))
    {
        CTabClientGroup* pGroup = GroupOfItem(pActiveItem);
        if (pGroup->GetSelectedItem() != pActiveItem)
            pGroup->SetSelectedItem(pActiveItem);
        m_pActiveGroup = pGroup;
    }
    m_hWndLastActive = hActive;
    RemoveEmptyGroups();
    for (CTabClientGroup* pGroup : m_groups)
    {
        if (pGroup->GetSelectedItem() == nullptr && pGroup->GetItemCount() > 0)
            pGroup->SetSelectedItem(pGroup->GetItem(0));
        pGroup->m_bActive = pGroup == m_pActiveGroup;
    }
    PlaceGroups();
    m_bLayoutDirty = FALSE;
    m_bInRefresh = FALSE;
    Invalidate(FALSE);
}

void CKitTabClientWnd::DrawBackground(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_APPWORKSPACE));
}

void CKitTabClientWnd::RelayoutFrame()
{
    if (m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
        m_pFrame->RecalcLayout();
}

void CKitTabClientWnd::RelayoutTabGroups(BOOL bRecalcFrame)
{
    if (m_pFrame == nullptr || m_bRelayoutGuard)
        return;
    m_bRelayoutGuard = TRUE;
    Refresh();
    if (!m_groups.empty())
    {
        // The hot tabs follow the new layout.
        CPoint point;
        ::GetCursorPos(&point);
        point = ScreenToWorkspace(point);
        if (m_bGrouping)
            for (CTabClientGroup* pGroup : m_groups)
                pGroup->CTabStrip::OnMouseMove(this, point.x, point.y);
        else
            m_groups.front()->CTabStrip::OnMouseMove(m_groups.front(), point.x, point.y);
    }
    else
    {
        Invalidate();
    }
    if (bRecalcFrame)
    {
        // Sized to nothing, the client gets its place and frame again from
        // the frame's layout.
        if (m_bGrouping)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        RelayoutFrame();
    }
    m_bRelayoutGuard = FALSE;
}

BOOL CKitTabClientWnd::IsTabGroupCommandEnabled(UINT nID, CKitTabManagerItem** ppItem) const
{
    if (ppItem != nullptr)
        *ppItem = nullptr;
    CWnd* pActive = GetActiveChild();
    CKitTabManagerItem* pItem = pActive != nullptr ? FindTabItem(pActive->m_hWnd) : nullptr;
    if (ppItem != nullptr)
        *ppItem = pItem;
    if (!m_bGrouping || pItem == nullptr)
        return FALSE;
    CTabClientGroup* pGroup = GroupOfItem(pItem);
    const int nIndex = IndexOfGroup(pGroup);
    const int nCount = GetTabGroupCount();
    switch (nID)
    {
    case ID_TABGROUP_MOVE_PREVIOUS:
        return nIndex > 0;
    case ID_TABGROUP_MOVE_NEXT:
        return nIndex < nCount - 1;
    case ID_TABGROUP_NEW_HORIZONTAL:
        return (nCount == 1 || m_nOrientation == 1) && pGroup->GetItemCount() > 1;
    case ID_TABGROUP_NEW_VERTICAL:
        return (nCount == 1 || m_nOrientation == 0) && pGroup->GetItemCount() > 1;
    default:
        return FALSE;
    }
}

void CKitTabClientWnd::OnTabGroupCommand(UINT nID)
{
    CKitTabManagerItem* pItem = nullptr;
    if (!IsTabGroupCommandEnabled(nID, &pItem))
        return;
    const int nIndex = IndexOfGroup(pItem->m_pStrip);
    switch (nID)
    {
    case ID_TABGROUP_MOVE_PREVIOUS:
        MoveTabToGroup(pItem, m_groups[static_cast<size_t>(nIndex - 1)], 2);
        break;
    case ID_TABGROUP_MOVE_NEXT:
        MoveTabToGroup(pItem, m_groups[static_cast<size_t>(nIndex + 1)], 2);
        break;
    case ID_TABGROUP_NEW_HORIZONTAL:
        MoveTabToGroup(pItem, nullptr, 3);
        break;
    case ID_TABGROUP_NEW_VERTICAL:
        MoveTabToGroup(pItem, nullptr, 4);
        break;
    default:
        break;
    }
}

void CKitTabClientWnd::OnUpdateTabGroupCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsTabGroupCommandEnabled(pCmdUI->m_nID, nullptr));
}

BOOL CKitTabClientWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID >= ID_TABGROUP_MOVE_PREVIOUS && nID <= ID_TABGROUP_NEW_VERTICAL)
    {
        if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI))
        {
            OnUpdateTabGroupCommand(static_cast<CCmdUI*>(pExtra));
            return TRUE;
        }
        if (nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo == nullptr)
                OnTabGroupCommand(nID);
            return TRUE;
        }
    }
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKitTabClientWnd::MoveTabToGroup(CKitTabManagerItem* pItem, CTabClientGroup* pGroup, int nMode)
{
    CTabClientGroup* pOwn = GroupOfItem(pItem);
    if (pOwn == nullptr || nMode < 2 || nMode > 4 || (nMode == 2 && pGroup == nullptr))
        return;
    m_bMoving = TRUE;
    m_bTabClick = TRUE;
    const COLORREF crColor = pItem->m_crColor;
    auto moveInto = [&](CTabClientGroup* pTarget) {
        // Our reference becomes the target strip's.
        pItem->InternalAddRef();
        pOwn->DeleteItem(pItem->m_nIndex);
        pTarget->InsertItem(-1, pItem);
        pItem->m_crColor = crColor; // the insertion gave it the next automatic colour
        pTarget->SetSelectedItem(pItem);
    };
    if (nMode == 2)
    {
        if (pGroup != pOwn)
            moveInto(pGroup);
        pGroup->SetSelectedItem(pItem);
        m_pActiveGroup = pGroup;
    }
    else
    {
        StoreGroupSizes();
        CTabClientGroup* pNew = AddTabGroup(IndexOfGroup(pOwn) + 1);
        moveInto(pNew);
        const kit::tabs::GroupPairSizes sizes = kit::tabs::SplitGroupSize(pOwn->m_dSize, m_nSplitterWidth);
        pOwn->m_dSize = sizes.first;
        pNew->m_dSize = sizes.second;
        m_nOrientation = nMode == 3 ? 1 : 0;
        m_pActiveGroup = pNew;
    }
    m_bMoving = FALSE;
    m_bTabClick = FALSE;
    m_bLayoutDirty = TRUE;
    Refresh();
    ActivateTabChild(pItem);
}

void CKitTabClientWnd::StoreGroupSizes()
{
    for (CTabClientGroup* pGroup : m_groups)
        pGroup->m_dSize = m_nOrientation == 0 ? pGroup->m_rectControl.Width() : pGroup->m_rectControl.Height();
}

void CKitTabClientWnd::ResizeGroups(int a, int b, const CRect& rectSplitter, const CRect& rectLimits)
{
    CTabClientGroup* pA = m_groups[static_cast<size_t>(a)];
    CTabClientGroup* pB = m_groups[static_cast<size_t>(b)];
    const bool bSideBySide = m_nOrientation == 0;
    // Measured on the screen, where a mirrored window's first group lies on
    // the right: its size counts from the right edge there.
    CRect rectScreenSplitter = rectSplitter, rectScreenLimits = rectLimits;
    ClientToScreen(&rectScreenSplitter);
    ClientToScreen(&rectScreenLimits);
    const kit::tabs::GroupPairSizes sizes = kit::tabs::ResizeGroupPair(
        pA->m_dSize, pB->m_dSize, m_nSplitterWidth, bSideBySide ? rectScreenSplitter.left : rectScreenSplitter.top,
        bSideBySide ? rectScreenLimits.left : rectScreenLimits.top,
        bSideBySide ? rectScreenLimits.Width() : rectScreenLimits.Height(),
        bSideBySide && (GetExStyle() & WS_EX_LAYOUTRTL) != 0);
    pA->m_dSize = sizes.first;
    pB->m_dSize = sizes.second;
}

void CKitTabClientWnd::TrackSplitter(int nIndex, CPoint point)
{
    if (nIndex < 0 || nIndex >= GetTabGroupCount() - 1)
        return;
    StoreGroupSizes();
    const int a = nIndex, b = nIndex + 1;
    CRect rectLimits;
    rectLimits.UnionRect(m_groups[static_cast<size_t>(a)]->m_rectControl, m_groups[static_cast<size_t>(b)]->m_rectControl);
    CRect rectSplitter = m_groups[static_cast<size_t>(a)]->m_rectSplitter;
    const bool bSideBySide = m_nOrientation == 0;

    if (m_bOutlineDrag)
    {
        CRect rectScreenLimits = rectLimits, rectTracker = rectSplitter;
        ClientToScreen(&rectScreenLimits);
        ClientToScreen(&rectTracker);
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CSplitterTracker tracker;
        if (tracker.Track(this, rectScreenLimits, rectTracker, ptScreen, bSideBySide))
        {
            ScreenToClient(&rectTracker);
            ResizeGroups(a, b, rectTracker, rectLimits);
            m_bLayoutDirty = TRUE;
            Refresh();
            RelayoutFrame();
        }
        return;
    }

    // Live: the groups follow the mouse.
    const int nOffset = bSideBySide ? rectSplitter.left - point.x : rectSplitter.top - point.y;
    const HWND hWnd = m_hWnd;
    ::SetCapture(hWnd);
    CPoint ptMouse = point;
    for (;;)
    {
        MSG pending;
        while (::PeekMessageW(&pending, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&pending);
        MSG msg{};
        const CaptureEvent event = NextCaptureEvent(hWnd, msg, ptMouse);
        if (event == CaptureEvent::End || event == CaptureEvent::Release)
            break;
        if (event == CaptureEvent::Other)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        if (event != CaptureEvent::Move)
            continue;
        int nPos = (bSideBySide ? ptMouse.x : ptMouse.y) + nOffset;
        const int nLow = bSideBySide ? rectLimits.left : rectLimits.top;
        const int nHigh = bSideBySide ? rectLimits.right : rectLimits.bottom;
        nPos = std::clamp(nPos, nLow, std::max(nLow, nHigh));
        const int nNow = bSideBySide ? rectSplitter.left : rectSplitter.top;
        if (nPos == nNow)
            continue;
        if (bSideBySide)
            rectSplitter.OffsetRect(nPos - nNow, 0);
        else
            rectSplitter.OffsetRect(0, nPos - nNow);
        ResizeGroups(a, b, rectSplitter, rectLimits);
        m_bLayoutDirty = TRUE;
        Refresh();
        RelayoutFrame();
        UpdateWindow();
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

CTabGroupArrangement CKitTabClientWnd::GetArrangement() const
{
    CTabGroupArrangement arrangement;
    arrangement.nOrientation = m_nOrientation;
    for (CTabClientGroup* pGroup : m_groups)
    {
        CTabGroupArrangement::Group group;
        group.dSize = m_nOrientation == 0 ? pGroup->m_rectControl.Width() : pGroup->m_rectControl.Height();
        for (int i = 0; i < pGroup->GetItemCount(); ++i)
            group.tabs.push_back(pGroup->GetItem(i)->m_strCaption);
        if (CKitTabManagerItem* pSelected = pGroup->GetSelectedItem())
            group.selected = pSelected->m_strCaption;
        arrangement.groups.push_back(group);
    }
    return arrangement;
}

void CKitTabClientWnd::SetArrangement(const CTabGroupArrangement& arrangement)
{
    if (arrangement.groups.empty())
        return;
    Refresh(); // every child has its tab
    // All tabs into a list, then dealt into the stored groups.
    std::vector<CKitTabManagerItem*> tabs;
    for (CTabClientGroup* pGroup : m_groups)
        for (int i = 0; i < pGroup->GetItemCount(); ++i)
        {
            CKitTabManagerItem* pItem = pGroup->GetItem(i);
            pItem->InternalAddRef();
            tabs.push_back(pItem);
        }
    for (CTabClientGroup* pGroup : m_groups)
        while (pGroup->GetItemCount() > 0)
            pGroup->DeleteItem(pGroup->GetItemCount() - 1);
    DestroyGroups();

    m_nOrientation = arrangement.nOrientation == 1 ? 1 : 0;
    for (const CTabGroupArrangement::Group& stored : arrangement.groups)
    {
        CTabClientGroup* pGroup = AddTabGroup(GetTabGroupCount());
        pGroup->m_dSize = stored.dSize;
        for (const CString& key : stored.tabs)
        {
            auto it = std::find_if(tabs.begin(), tabs.end(),
                                   [&](CKitTabManagerItem* pItem) { return pItem != nullptr && pItem->m_strCaption == key; });
            if (it == tabs.end())
                continue;
            const COLORREF crColor = (*it)->m_crColor;
            pGroup->InsertItem(-1, *it)->m_crColor = crColor;
            if ((*it)->m_strCaption == stored.selected)
                pGroup->SetSelectedItem(*it);
            *it = nullptr;
        }
    }
    // Children the arrangement does not name stay in the first group.
    for (CKitTabManagerItem* pItem : tabs)
        if (pItem != nullptr)
        {
            const COLORREF crColor = pItem->m_crColor;
            m_groups.front()->InsertItem(-1, pItem)->m_crColor = crColor;
        }
    // The active child stays active when its group shows it; otherwise the
    // tab its group selects takes the activation.
    CWnd* pActive = GetActiveChild();
    CKitTabManagerItem* pActiveItem = pActive != nullptr ? FindTabItem(pActive->m_hWnd) : nullptr;
    CTabClientGroup* pActiveGroup = GroupOfItem(pActiveItem);
    m_bLayoutDirty = TRUE;
    if (pActiveGroup != nullptr && pActiveGroup->GetSelectedItem() != nullptr &&
        pActiveGroup->GetSelectedItem() != pActiveItem)
        ActivateTabChild(pActiveGroup->GetSelectedItem()); // refreshes
    else
        Refresh();
}

void CKitTabClientWnd::OnPaintWorkspace()
{
    CPaintDC paint(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return;
    CDoubleBufferDC dc(paint.m_hDC, rectClient);
    // The copy back to a mirrored window mirrors the buffer; a buffer drawn
    // mirrored too keeps the captions readable.
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        ::SetLayout(dc.m_hDC, LAYOUT_RTL);
    if (m_bGrouping && !m_groups.empty())
    {
        for (size_t i = m_groups.size(); i-- > 0;)
        {
            CTabClientGroup* pGroup = m_groups[i];
            m_pDrawer->DrawTabStrip(pGroup, &dc, pGroup->m_rectControl);
            if (!pGroup->m_rectSplitter.IsRectEmpty())
            {
                CRect rectSplitter = pGroup->m_rectSplitter;
                DrawTabClientFrame(m_pDrawer, &dc, rectSplitter, m_nOrientation == 1 ? 3 : 2);
            }
        }
    }
    else
    {
        DrawBackground(&dc, rectClient);
    }
}

void CKitTabClientWnd::OnLButtonDownWorkspace(CPoint point)
{
    m_bTabClick = TRUE;
    m_bPendingClick = TRUE;
    for (size_t i = 0; i < m_groups.size(); ++i)
    {
        CTabClientGroup* pGroup = m_groups[i];
        if (i + 1 < m_groups.size() && pGroup->m_rectSplitter.PtInRect(point))
        {
            TrackSplitter(static_cast<int>(i), point);
            return;
        }
        if (pGroup->m_rectControl.PtInRect(point))
        {
            if (pGroup != m_pActiveGroup && pGroup->GetSelectedItem() != nullptr)
                pGroup->OnItemClick(pGroup->GetSelectedItem());
            // The group may have gone meanwhile.
            if (IndexOfGroup(pGroup) >= 0)
                pGroup->CTabStrip::OnLButtonDown(this, point.x, point.y, FALSE);
            return;
        }
    }
}

LRESULT CKitTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_MDIACTIVATE: {
        if (m_bGrouping || m_bNoRedrawSuppression)
        {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            Refresh();
            return result;
        }
        DefWindowProc(WM_SETREDRAW, FALSE, 0);
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        DefWindowProc(WM_SETREDRAW, TRUE, 0);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Refresh();
        return result;
    }
    case WM_MDICREATE: {
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        auto hChild = reinterpret_cast<HWND>(result);
        if (hChild != nullptr && m_bGrouping)
        {
            StripChildFrame(hChild);
            ::SetWindowPos(hChild, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        Refresh();
        return result;
    }
    case WM_MDIDESTROY: {
        auto hChild = reinterpret_cast<HWND>(wParam);
        if (!m_bKeepActivationOnDestroy)
        {
            // The neighbour tab of the same group takes over, the next one
            // before the previous.
            CKitTabManagerItem* pItem = FindTabItem(hChild);
            CTabClientGroup* pGroup = GroupOfItem(pItem);
            if (pGroup != nullptr)
            {
                CKitTabManagerItem* pNext = pGroup->GetItem(pItem->m_nIndex + 1);
                if (pNext == nullptr)
                    pNext = pGroup->GetItem(pItem->m_nIndex - 1);
                if (pNext != nullptr && pNext->m_hWndAttached != nullptr)
                {
                    ::ShowWindow(pNext->m_hWndAttached, SW_SHOWNA);
                    ::BringWindowToTop(pNext->m_hWndAttached);
                    ::SendMessageW(m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pNext->m_hWndAttached), 0);
                }
            }
        }
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        Refresh();
        return result;
    }
    case WM_MDINEXT: {
        // With grouping the documents behind other tabs are hidden, and the
        // client passes hidden children by: the next (lParam 0) or previous
        // document goes by the tabs, group after group (Ctrl+F6 comes here).
        if (m_bGrouping && !m_groups.empty())
        {
            std::vector<CKitTabManagerItem*> tabs;
            for (CTabClientGroup* pGroup : m_groups)
                for (int i = 0; i < pGroup->GetItemCount(); ++i)
                    tabs.push_back(pGroup->GetItem(i));
            HWND hFrom = reinterpret_cast<HWND>(wParam);
            if (hFrom == nullptr)
                if (CWnd* pActive = GetActiveChild())
                    hFrom = pActive->m_hWnd;
            const auto it = std::find_if(tabs.begin(), tabs.end(),
                                         [&](CKitTabManagerItem* pItem) { return pItem->m_hWndAttached == hFrom; });
            if (!tabs.empty())
            {
                const ptrdiff_t nCount = static_cast<ptrdiff_t>(tabs.size());
                const ptrdiff_t nAt = it != tabs.end() ? it - tabs.begin() : 0;
                const ptrdiff_t nNext = (nAt + (lParam != 0 ? nCount - 1 : 1)) % nCount;
                ActivateTabChild(tabs[static_cast<size_t>(nNext)]);
            }
            return 0;
        }
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        Refresh();
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        m_bLayoutDirty = TRUE;
        Refresh();
        return result;
    }
    case WM_IDLEUPDATECMDUI: {
        // Activation may have changed without the client being asked (a
        // click into a child, Ctrl+F6).
        CWnd* pActive = GetActiveChild();
        const HWND hActive = pActive != nullptr ? pActive->m_hWnd : nullptr;
        if (m_bPendingClick || hActive != m_hWndLastActive || m_bLayoutDirty)
        {
            m_bPendingClick = FALSE;
            m_bTabClick = FALSE;
            Refresh();
        }
        return 0;
    }
    case WM_PAINT:
        OnPaintWorkspace();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCCALCSIZE:
        if (m_bGrouping)
        {
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            CRect rect(*pRect);
            DrawTabClientFrame(m_pDrawer, nullptr, rect, 1);
            *pRect = rect;
        }
        return DefWindowProc(message, wParam, lParam);
    case WM_NCACTIVATE:
        if (m_bGrouping)
            return TRUE;
        return DefWindowProc(message, wParam, lParam);
    case WM_NCPAINT:
        if (m_bGrouping)
        {
            CWindowDC dc(this);
            CRect rect;
            GetWindowRect(&rect);
            rect.OffsetRect(-rect.left, -rect.top);
            DrawTabClientFrame(m_pDrawer, &dc, rect, 0);
            return 0;
        }
        return DefWindowProc(message, wParam, lParam);
    case WM_SETCURSOR:
        if (m_bGrouping && LOWORD(lParam) == HTCLIENT)
        {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            ScreenToClient(&cursor);
            for (CTabClientGroup* pGroup : m_groups)
                if (pGroup->m_rectSplitter.PtInRect(cursor))
                {
                    ::SetCursor(m_nOrientation == 0 ? m_hCursorSideBySide : m_hCursorStacked);
                    return TRUE;
                }
        }
        return DefWindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!m_bGrouping)
            return DefWindowProc(message, wParam, lParam);
        OnLButtonDownWorkspace(point);
        return 0;
    case WM_MOUSEMOVE:
        if (m_bGrouping)
            for (CTabClientGroup* pGroup : m_groups)
                pGroup->CTabStrip::OnMouseMove(this, point.x, point.y);
        return DefWindowProc(message, wParam, lParam);
    case WM_MOUSELEAVE:
        if (m_bGrouping)
            for (CTabClientGroup* pGroup : m_groups)
                pGroup->CTabStrip::OnMouseMove(this, -1, -1);
        return 0;
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        m_pDrawer->ReloadMetrics();
        RelayoutTabGroups(TRUE);
        return result;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
