// The task panel's mouse, keyboard and focus handling, its scroll bar and
// wheel, and the buttons that scroll the items of the open group.
#include <algorithm>
#include <cstdlib>

#include "CKitTaskPanel.h"
#include "CPopupMouseTracker.h"
#include "core/GroupLayout.h"

using namespace kit::taskpanel;

namespace {

constexpr int kLineStep = 6;
constexpr int kWheelStep = 10;
constexpr int kDragThreshold = 4;
constexpr UINT kRepeatDelay = 500;
constexpr UINT kRepeatPeriod = 50;

BOOL IsPopupTracking()
{
    return CPopupMouseTracker::GetThreadTracker()->IsTracking();
}

}  // namespace

// Scrolling.

void CKitTaskPanel::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CRect client;
    GetClientRect(client);
    const int limit = GetScrollLimit();
    const int page = client.Height();
    int pos = GetScrollPosition();
    switch (nSBCode)
    {
    case SB_LINEUP: pos = std::max(0, pos - kLineStep); break;
    case SB_LINEDOWN: pos = std::min(limit, pos + kLineStep); break;
    case SB_PAGEUP: pos = std::max(0, pos - page); break;
    case SB_PAGEDOWN: pos = std::min(limit, pos + page); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = limit; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = static_cast<int>(nPos); break;
    default: break;
    }
    SetScrollPosition(pos);
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CKitTaskPanel::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_bScrollBarShown)
    {
        const int pos = GetScrollPosition();
        SetScrollPosition(zDelta > 0 ? std::max(0, pos - kWheelStep) : std::min(GetScrollLimit(), pos + kWheelStep));
    }
    else if (m_nBehaviour != 0 && m_refs.activeGroup)
    {
        Group& group = *m_refs.activeGroup;
        const BOOL bUp = zDelta > 0;
        const int innerTop = m_pDrawer->GetGroupInnerMargins(group).top;
        for (int step = 0; step < 3 && CanScrollItems(group, bUp != FALSE, innerTop); ++step)
            ScrollGroupItems(group, bUp ? -group.itemsPerRow : group.itemsPerRow);
    }
    Invalidate();
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CKitTaskPanel::ScrollGroupItems(Group& group, int nDelta)
{
    if (kit::taskpanel::ScrollItems(group, nDelta))
    {
        AnimateGroup(group, 0);
        UpdateScrollButtons();
    }
}

// Mouse.

void CKitTaskPanel::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (IsPopupTracking())
        return;
    PanelItem* pItem = HitTest(point);
    const BOOL bActive = ::GetForegroundWindow() == ::GetAncestor(m_hWnd, GA_ROOT);
    const BOOL bHot = IsAcceptFocus(pItem) && bActive && (!m_refs.pressed || m_refs.pressed == pItem);
    SetHotItem(bHot ? pItem : nullptr);

    if (PanelItem* pPressed = m_refs.pressed;
        pPressed && std::abs(point.x - m_ptPress.x) + std::abs(point.y - m_ptPress.y) > kDragThreshold)
    {
        if (pPressed->IsGroup())
            StartGroupDrag(static_cast<Group*>(pPressed));
        else
            StartItemDrag(static_cast<GroupItem*>(pPressed));
    }
    UpdateScrollButtonsHot(point);
}

void CKitTaskPanel::OnMouseLeave()
{
    SetHotItem(nullptr);
    UpdateScrollButtonsHot(CPoint(-1, -1));
    CWnd::OnMouseLeave();
}

BOOL CKitTaskPanel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_refs.hot && m_hHandCursor)
    {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CKitTaskPanel::OnLButtonDown(UINT nFlags, CPoint point)
{
    PanelItem* pItem = HitTest(point);
    if (IsAcceptFocus(pItem))
    {
        SetFocusedItem(pItem, FALSE);
        SetCapture();
        m_ptPress = point;
        m_refs.pressed = pItem;
        Invalidate();
    }
    else
        FocusPanel();
    if (CTaskPanelScrollButton* pButton = HitTestScrollButton(point))
        TrackScrollButton(pButton);
    CWnd::OnLButtonDown(nFlags, point);
}

void CKitTaskPanel::OnLButtonUp(UINT, CPoint)
{
    PanelItem* pReleased = m_refs.pressed;
    if (!pReleased)
        return;
    m_refs.pressed = nullptr;
    ReleaseCapture();
    Invalidate();
    if (pReleased != m_refs.hot)
        return;
    if (pReleased->IsGroup())
        ToggleGroup(static_cast<Group*>(pReleased));
    else
        OnClick(static_cast<GroupItem*>(pReleased));
}

void CKitTaskPanel::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
    if (m_refs.hot && m_refs.hot == m_refs.pressed && !m_refs.hot->IsGroup())
        NotifyOwner(kTpnDoubleClick, reinterpret_cast<LPARAM>(m_refs.hot));
}

void CKitTaskPanel::OnRButtonDown(UINT nFlags, CPoint point)
{
    PanelItem* pItem = HitTest(point);
    if (IsAcceptFocus(pItem))
    {
        SetFocusedItem(pItem, FALSE);
        NotifyOwner(kTpnRightClick, reinterpret_cast<LPARAM>(pItem));
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CKitTaskPanel::OnCaptureChanged(CWnd* pWnd)
{
    if (m_refs.pressed)
    {
        m_refs.pressed = nullptr;
        Invalidate();
    }
    CWnd::OnCaptureChanged(pWnd);
}

// Keyboard and focus.

UINT CKitTaskPanel::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

PanelItem* CKitTaskPanel::GetNextFocusable(PanelItem* pStart, int nDirection, BOOL bSkipItems, BOOL bByRow) const
{
    PanelItem* pCurrent = pStart;
    // Every step moves on through the groups and items, so the walk ends.
    for (;;)
    {
        PanelItem* pNext = nullptr;
        Group* pGroup = GetItemGroup(pCurrent);
        const int groupIndex = pGroup ? m_groups.IndexOf(pGroup) : (nDirection > 0 ? -1 : m_groups.GetCount());
        if (nDirection > 0)
        {
            if (pCurrent && pCurrent->IsGroup())
                pNext = pGroup->items.GetFirstVisibleItem();
            else if (pCurrent && !bSkipItems)
            {
                const int step = bByRow ? std::max(pGroup->itemsPerRow, 1) : 1;
                pNext = pGroup->items.GetAt(pGroup->items.GetNextVisibleIndex(pGroup->items.IndexOf(pCurrent), step));
            }
            if (!pNext)
                pNext = GetNextVisibleGroup(groupIndex, 1);
        }
        else
        {
            if (pCurrent && !pCurrent->IsGroup())
            {
                if (!bSkipItems)
                {
                    const int step = bByRow ? std::max(pGroup->itemsPerRow, 1) : 1;
                    pNext = pGroup->items.GetAt(
                        pGroup->items.GetNextVisibleIndex(pGroup->items.IndexOf(pCurrent), -step));
                }
                if (!pNext)
                    pNext = pGroup;
            }
            else
            {
                Group* pPrevious = GetNextVisibleGroup(groupIndex, -1);
                if (pPrevious)
                {
                    pNext = pPrevious->items.GetLastVisibleItem();
                    if (!pNext)
                        pNext = pPrevious;
                }
            }
        }
        if (!pNext)
            return nullptr;
        Group* pNextGroup = GetItemGroup(pNext);
        const BOOL bHiddenLink = !pNext->IsGroup() && pNextGroup && !IsGroupExpanded(pNextGroup);
        if (IsAcceptFocus(pNext) && !bHiddenLink)
            return pNext;
        pCurrent = pNext;
    }
}

void CKitTaskPanel::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    PanelItem* pFocused = m_refs.focused;
    switch (nChar)
    {
    case VK_TAB:
        if (PanelItem* pNext = GetNextFocusable(pFocused, bShift ? -1 : 1, TRUE, TRUE))
            SetFocusedItem(pNext, TRUE);
        else if (CWnd* pParent = GetParent())
            if (HWND hNext = ::GetNextDlgTabItem(pParent->m_hWnd, m_hWnd, bShift); hNext && hNext != m_hWnd)
                ::SetFocus(hNext);
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (IsAcceptFocus(pFocused))
        {
            if (pFocused->IsGroup())
                ToggleGroup(static_cast<Group*>(pFocused));
            else
                OnClick(static_cast<GroupItem*>(pFocused));
        }
        break;
    case VK_HOME:
    case VK_END:
        if (pFocused)
        {
            PanelItem* pEnd = nullptr;
            if (pFocused->IsGroup())
                pEnd = nChar == VK_HOME ? m_groups.GetFirstVisibleItem() : m_groups.GetLastVisibleItem();
            else if (Group* pGroup = GetItemGroup(pFocused))
                pEnd = nChar == VK_HOME ? pGroup->items.GetFirstVisibleItem() : pGroup->items.GetLastVisibleItem();
            if (IsAcceptFocus(pEnd))
                SetFocusedItem(pEnd, TRUE);
        }
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    {
        const BOOL bForward = nChar == VK_DOWN || nChar == VK_RIGHT;
        if (bCtrl && m_nBehaviour != 0 && m_refs.activeGroup)
        {
            Group* pNext = GetNextVisibleGroup(m_groups.IndexOf(m_refs.activeGroup), bForward ? 1 : -1);
            if (IsAcceptFocus(pNext))
            {
                ExpandGroup(pNext, TRUE);
                SetFocusedItem(pNext, FALSE);
            }
            return;  // no default handling
        }
        const BOOL bByRow = nChar == VK_UP || nChar == VK_DOWN;
        if (PanelItem* pNext = GetNextFocusable(pFocused, bForward ? 1 : -1, FALSE, bByRow))
            SetFocusedItem(pNext, TRUE);
        break;
    }
    default:
        break;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKitTaskPanel::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (!m_bFocusGuard && pOldWnd && GetParent())
    {
        const HWND hParent = GetParent()->m_hWnd;
        const HWND hPrevious = ::GetNextDlgTabItem(hParent, m_hWnd, TRUE);
        const HWND hNext = ::GetNextDlgTabItem(hParent, m_hWnd, FALSE);
        const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
        if ((!bShift && hPrevious == pOldWnd->m_hWnd && hPrevious != m_hWnd) ||
            (bShift && hNext == pOldWnd->m_hWnd && hNext != m_hWnd))
            if (PanelItem* pItem = GetNextFocusable(nullptr, bShift ? -1 : 1, TRUE, TRUE))
                SetFocusedItem(pItem, TRUE);
    }
    Invalidate();
}

void CKitTaskPanel::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    m_bFocusCue = FALSE;
    Invalidate();
}

// Timers.

void CKitTaskPanel::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case kAnimationTimer:
        OnAnimationTimer();
        break;
    case kHoverExpandTimer:
        KillTimer(kHoverExpandTimer);
        if (m_bHoverExpandTimer && m_refs.dropMark && m_refs.dropMark->IsGroup())
            ExpandGroup(static_cast<Group*>(m_refs.dropMark), TRUE);
        m_bHoverExpandTimer = FALSE;
        break;
    default:
        CWnd::OnTimer(nIDEvent);
        break;
    }
}

// Group scroll buttons.

void CKitTaskPanel::RepositionScrollButtons()
{
    for (CTaskPanelScrollButton* pButton : {&m_upButton, &m_downButton})
    {
        pButton->rect.SetRectEmpty();
        pButton->pCaptionGroup = nullptr;
        pButton->pGroup = nullptr;
    }
    Group* pActive = m_refs.activeGroup;
    if (m_nBehaviour == 0 || !pActive || !pActive->visible || !GetSafeHwnd())
        return;
    m_upButton.pGroup = pActive;
    m_downButton.pGroup = pActive;
    CRect client;
    GetClientRect(client);
    if (m_pDrawer->HasCaptionScrollButtons())
    {
        const int bottom = std::max<int>(client.bottom, m_nContentHeight);
        const CRect margins = m_pDrawer->GetControlMargins();
        const int right = client.right - m_pDrawer->GetGroupOuterMargins(*pActive).right - margins.right;
        const int side = pActive->captionHeight;
        const int top = pActive->currentRect.top;
        m_upButton.rect.SetRect(right - side, top, right, top + side);
        m_upButton.pCaptionGroup = pActive;
        if (Group* pNext = GetNextVisibleGroup(m_groups.IndexOf(pActive), 1))
        {
            m_downButton.rect.SetRect(right - side, pNext->currentRect.top, right,
                                      pNext->currentRect.top + pNext->captionHeight);
            m_downButton.pCaptionGroup = pNext;
        }
        else
            m_downButton.rect.SetRect(right - side, bottom - margins.bottom - side, right, bottom - margins.bottom);
    }
    else
    {
        CRect area = GetGroupClientRect(*pActive);
        area.DeflateRect(4, 4);
        m_upButton.rect.SetRect(area.right - 16, area.top, area.right, area.top + 16);
        m_downButton.rect.SetRect(area.right - 16, area.bottom - 16, area.right, area.bottom);
    }
    UpdateScrollButtons();
}

void CKitTaskPanel::UpdateScrollButtons()
{
    for (CTaskPanelScrollButton* pButton : {&m_upButton, &m_downButton})
        pButton->bEnabled = pButton->pGroup &&
                            CanScrollItems(*pButton->pGroup, pButton->IsUp() != FALSE,
                                           m_pDrawer->GetGroupInnerMargins(*pButton->pGroup).top);
}

void CKitTaskPanel::UpdateScrollButtonsHot(CPoint point)
{
    CTaskPanelScrollButton* pHit = point.x < 0 ? nullptr : HitTestScrollButton(point);
    for (CTaskPanelScrollButton* pButton : {&m_upButton, &m_downButton})
    {
        const BOOL bHot = pButton == pHit;
        if (pButton->bHot == bHot)
            continue;
        pButton->bHot = bHot;
        Invalidate();
        if (bHot)
        {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
    }
}

BOOL CKitTaskPanel::PumpModalMessage(MSG& msg)
{
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageW(&msg);
    if (!::GetMessageW(&msg, nullptr, 0, 0))
    {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    return TRUE;
}

void CKitTaskPanel::TrackScrollButton(CTaskPanelScrollButton* pButton)
{
    if (!pButton || !pButton->bEnabled || !pButton->pGroup)
        return;
    Group& group = *pButton->pGroup;
    const int delta = pButton->IsUp() ? -group.itemsPerRow : group.itemsPerRow;
    pButton->bPressed = TRUE;
    SetCapture();
    ScrollGroupItems(group, delta);
    Invalidate();
    SetTimer(kScrollRepeatTimer, kRepeatDelay, nullptr);
    BOOL bFirstRepeat = TRUE;
    MSG msg;
    while (::GetCapture() == m_hWnd && pButton->bEnabled && PumpModalMessage(msg))
    {
        if (msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == kScrollRepeatTimer)
        {
            ScrollGroupItems(group, delta);
            Invalidate();
            if (bFirstRepeat)
                SetTimer(kScrollRepeatTimer, kRepeatPeriod, nullptr);
            bFirstRepeat = FALSE;
            continue;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_KEYDOWN || msg.message == WM_KEYUP ||
            msg.message == WM_CHAR)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    KillTimer(kScrollRepeatTimer);
    pButton->bPressed = FALSE;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    Invalidate();
}
