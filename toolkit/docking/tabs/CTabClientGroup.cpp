#include "CTabClientGroup.h"

#include <algorithm>
#include <cstdlib>

#include "CKitTabClientWnd.h"
#include "CTabStripDrawer.h"
#include "CaptureLoop.h"
#include "DeviceContexts.h"

BEGIN_MESSAGE_MAP(CTabClientGroup, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CTabClientGroup::CTabClientGroup(CKitTabClientWnd* pWorkspace) : m_pWorkspace(pWorkspace)
{
    // Tabs are dragged within the row and onto other groups.
    m_bReorderAllowed = TRUE;
}

CTabClientGroup::~CTabClientGroup()
{
    DeleteAllItems();
}

CKitTabManagerItem* CTabClientGroup::FindItemByWindow(HWND hWnd) const
{
    if (hWnd == nullptr)
        return nullptr;
    for (CKitTabManagerItem* pItem : m_items)
        if (pItem->m_hWndAttached == hWnd)
            return pItem;
    return nullptr;
}

void CTabClientGroup::Relayout()
{
    m_pWorkspace->LayoutGroupStrip(this);
    RedrawOwner();
}

CTabStripDrawer* CTabClientGroup::GetDrawer() const
{
    return m_pWorkspace->GetDrawer();
}

void CTabClientGroup::RedrawOwner()
{
    if (m_pWorkspace->IsGrouping())
    {
        if (m_pWorkspace->m_hWnd != nullptr)
            ::InvalidateRect(m_pWorkspace->m_hWnd, &m_rectControl, FALSE);
    }
    else if (m_hWnd != nullptr)
    {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

BOOL CTabClientGroup::DrawItemIcon(CDC*, CPoint, CKitTabManagerItem*, BOOL, SIZE*)
{
    return FALSE;
}

void CTabClientGroup::OnItemClick(CKitTabManagerItem* pItem)
{
    SetSelectedItem(pItem);
    m_pWorkspace->ActivateTabChild(pItem);
}

CWnd* CTabClientGroup::GetOwnerWindow() const
{
    return m_pWorkspace->IsGrouping() ? static_cast<CWnd*>(m_pWorkspace) : const_cast<CTabClientGroup*>(this);
}

void CTabClientGroup::TrackReorder(CWnd* pWnd, int x, int y, CKitTabManagerItem* pItem)
{
    if (!m_pWorkspace->IsGrouping())
    {
        CTabStrip::TrackReorder(pWnd, x, y, pItem);
        return;
    }
    // The click selects the tab and shows its child at once; the loop lets
    // messages through, so the tab is held by a reference.
    pItem->InternalAddRef();
    OnItemClick(pItem);
    std::vector<CRect> targets;
    for (const CKitTabManagerItem* pTab : m_items)
        targets.push_back(pTab->m_rect);
    const HWND hWnd = pWnd->GetSafeHwnd();
    const CPoint ptStart(x, y);
    CPoint point = ptStart;
    bool bDragged = false, bReleased = false;
    ::SetCapture(hWnd);
    for (;;)
    {
        MSG msg{};
        const CaptureEvent event = NextCaptureEvent(hWnd, msg, point);
        if (event == CaptureEvent::End)
            break;
        if (event == CaptureEvent::Release)
        {
            point = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            bReleased = true;
            break;
        }
        if (event == CaptureEvent::Other)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        if (event != CaptureEvent::Move)
            continue;
        if (std::abs(point.x - ptStart.x) > ::GetSystemMetrics(SM_CXDRAG) ||
            std::abs(point.y - ptStart.y) > ::GetSystemMetrics(SM_CYDRAG))
            bDragged = true;
        // Within the row the tab takes the places it passes.
        const int nAt = pItem->m_pStrip == this ? pItem->m_nIndex : -1;
        for (size_t i = 0; nAt >= 0 && i < targets.size() && i < m_items.size(); ++i)
            if (targets[i].PtInRect(point) && static_cast<int>(i) != nAt)
            {
                std::swap(m_items[i], m_items[static_cast<size_t>(nAt)]);
                OnItemsChanged();
                break;
            }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    // Released over another group: the tab moves there.
    if (bReleased && bDragged && pItem->m_pStrip == this)
    {
        CTabClientGroup* pTarget = m_pWorkspace->GroupFromPoint(point);
        if (pTarget != nullptr && pTarget != this)
            m_pWorkspace->MoveTabToGroup(pItem, pTarget, 2);
    }
    pItem->InternalRelease();
}

void CTabClientGroup::OnPaint()
{
    CPaintDC paint(this);
    CRect rect;
    GetClientRect(&rect);
    if (rect.IsRectEmpty())
        return;
    // The workspace's own area is not painted over.
    CRect rectWorkspace;
    m_pWorkspace->GetWindowRect(&rectWorkspace);
    ScreenToClient(&rectWorkspace);
    paint.ExcludeClipRect(&rectWorkspace);
    CDoubleBufferDC dc(paint.m_hDC, rect);
    GetDrawer()->DrawTabStrip(this, &dc, rect);
}

BOOL CTabClientGroup::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTabClientGroup::OnLButtonDown(UINT, CPoint point)
{
    m_pWorkspace->SetTabClick(TRUE);
    CTabStrip::OnLButtonDown(this, point.x, point.y, FALSE);
}

void CTabClientGroup::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CTabClientGroup::OnMouseMove(UINT, CPoint point)
{
    CTabStrip::OnMouseMove(this, point.x, point.y);
}

void CTabClientGroup::OnMouseLeave()
{
    CTabStrip::OnMouseMove(this, -1, -1);
}

void CTabClientGroup::OnRButtonDown(UINT, CPoint)
{
}
