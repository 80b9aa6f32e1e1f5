// Dragging items out of the panel (to another place in it, another panel or
// another program), dropping items into it, and reordering groups by their
// captions.
#include "CKitTaskPanel.h"
#include "TaskPanelClipboard.h"

#include <windowsx.h>

using namespace kit::taskpanel;

namespace {

constexpr UINT kDefaultHoverTime = 500;

UINT HoverTime()
{
    UINT nTime = 0;
    return ::SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &nTime, 0) ? nTime : kDefaultHoverTime;
}

CKitTaskPanel* PanelOf(CWnd* pWnd)
{
    return pWnd ? DYNAMIC_DOWNCAST(CKitTaskPanel, pWnd) : nullptr;
}

}  // namespace

DROPEFFECT CTaskPanelDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CTaskPanelDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CKitTaskPanel* pPanel = PanelOf(pWnd);
    return pPanel ? pPanel->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL CTaskPanelDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CKitTaskPanel* pPanel = PanelOf(pWnd);
    return pPanel ? pPanel->OnDrop(pDataObject, dropEffect, point) : FALSE;
}

void CTaskPanelDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CKitTaskPanel* pPanel = PanelOf(pWnd))
        pPanel->OnDragOver(nullptr, 0, CPoint(-1, -1));
}

void CKitTaskPanel::StartItemDrag(GroupItem* pItem)
{
    if (!pItem)
        return;
    const UINT flags = GetAllowDrag(*pItem);
    if (flags == 0)
        return;
    ReleaseCapture();
    if (NotifyOwner(kTpnStartDrag, reinterpret_cast<LPARAM>(pItem)) == -1)
        return;

    // The data source lives by its reference count: OLE may hold it beyond the drag.
    COleDataSource* pSource = new COleDataSource;
    if (!PrepareDrag(*pItem, *pSource, (flags & (kDragCopyOutside | kDragMoveOutside)) != 0))
    {
        pSource->InternalRelease();
        return;
    }
    m_refs.dragged = pItem;
    DROPEFFECT effects = DROPEFFECT_NONE;
    if (flags & (kDragCopyInGroup | kDragCopyInPanel | kDragCopyOutside))
        effects |= DROPEFFECT_COPY;
    if (flags & (kDragMoveInGroup | kDragMoveInPanel | kDragMoveOutside))
        effects |= DROPEFFECT_MOVE;
    const DROPEFFECT result = pSource->DoDragDrop(effects);
    pSource->InternalRelease();

    // The item may have left its list while the drag ran (the owner may
    // remove it when told of the drop); the reference is cleared then.
    if (result == DROPEFFECT_MOVE && (effects & DROPEFFECT_MOVE) && m_refs.dragged)
        RemoveItem(m_refs.dragged);
    m_refs.dragged = nullptr;
    m_refs.dropMark = nullptr;
    if (GetSafeHwnd())
        Invalidate();
}

DROPEFFECT CKitTaskPanel::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    DROPEFFECT effects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    Group* pGroup = point.x < 0 && point.y < 0 ? nullptr : HitTestGroup(point);
    if (!pDataObject || !pDataObject->IsDataAvailable(TaskPanelItemFormat()))
        pGroup = nullptr;
    else if (!pDataObject->IsDataAvailable(CF_TEXT) && !m_refs.dragged)
        pGroup = nullptr;

    if (m_refs.dragged)
    {
        const UINT flags = GetAllowDrag(*m_refs.dragged);
        if (!(flags & (kDragMoveInGroup | kDragMoveInPanel)))
            effects = DROPEFFECT_COPY;
        if (!(flags & (kDragCopyInGroup | kDragCopyInPanel)))
            effects &= ~DROPEFFECT_COPY;
        if (pGroup)
        {
            if (pGroup != GetItemGroup(m_refs.dragged))
            {
                if (flags & kDragMoveInGroup)
                    effects &= ~DROPEFFECT_MOVE;
                if (flags & kDragCopyInGroup)
                    effects &= ~DROPEFFECT_COPY;
            }
            if (!(flags & (kDragMoveInPanel | kDragMoveInGroup)))
                effects &= ~DROPEFFECT_MOVE;
            if (!(flags & (kDragCopyInPanel | kDragCopyInGroup)))
                effects &= ~DROPEFFECT_COPY;
        }
    }

    PanelItem* pTarget = nullptr;
    if (effects != DROPEFFECT_NONE && pGroup)
    {
        if (IsAllowDrop(*pGroup))
            pTarget = pGroup;
        BOOL bCaption = TRUE;
        HitTestGroup(point, &bCaption);
        PanelItem* pUnder = bCaption ? nullptr : HitTest(point);
        if (pUnder && !pUnder->IsGroup() && IsAllowDrop(*pUnder))
        {
            pTarget = pUnder;
            const CRect rect = GetItemRect(*pUnder);
            if (!m_pDrawer->HasInvertedDropMarks() && point.y >= rect.CenterPoint().y)
            {
                const int next = pGroup->items.GetNextVisibleIndex(pGroup->items.IndexOf(pUnder), 1);
                pTarget = next >= 0 ? static_cast<PanelItem*>(pGroup->items.GetAt(next)) : pGroup;
            }
        }
    }

    if (pTarget != m_refs.dropMark)
    {
        m_refs.dropMark = pTarget;
        if (GetSafeHwnd())
            Invalidate();
    }
    if (pTarget && pTarget->IsGroup() && !IsGroupExpanded(static_cast<Group*>(pTarget)))
    {
        if (!m_bHoverExpandTimer && GetSafeHwnd())
        {
            SetTimer(kHoverExpandTimer, HoverTime(), nullptr);
            m_bHoverExpandTimer = TRUE;
        }
    }
    else if (m_bHoverExpandTimer)
    {
        KillTimer(kHoverExpandTimer);
        m_bHoverExpandTimer = FALSE;
    }

    if (!pTarget)
        return DROPEFFECT_NONE;
    if ((effects & DROPEFFECT_COPY) && (dwKeyState & MK_CONTROL))
        return DROPEFFECT_COPY;
    if (effects & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return effects & DROPEFFECT_COPY;
}

BOOL CKitTaskPanel::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint)
{
    PanelItem* pMark = m_refs.dropMark;
    m_refs.dropMark = nullptr;
    if (m_bHoverExpandTimer)
    {
        KillTimer(kHoverExpandTimer);
        m_bHoverExpandTimer = FALSE;
    }
    Invalidate();
    if (!pMark)
        return FALSE;
    if (dropEffect != DROPEFFECT_COPY && dropEffect != DROPEFFECT_MOVE)
        return TRUE;
    // Only a block of the panel's own format is read as an item; anything
    // else offered under another name is not.
    if (!pDataObject || !pDataObject->IsDataAvailable(TaskPanelItemFormat()))
        return FALSE;
    std::unique_ptr<GroupItem> item = CreateItemFromOleData(pDataObject);
    if (!item)
        return FALSE;

    Group* pGroup = GetItemGroup(pMark);
    if (!pGroup)
        return FALSE;
    int index = pGroup->items.GetCount();
    if (!pMark->IsGroup())
    {
        index = pGroup->items.IndexOf(pMark);
        if (m_pDrawer->HasInvertedDropMarks())
        {
            const int dragged = m_refs.dragged ? pGroup->items.IndexOf(m_refs.dragged) : -1;
            if (!(dragged > index))
                ++index;
        }
    }
    GroupItem* pNew = pGroup->items.InsertAt(index, std::move(item));
    Relayout(TRUE);
    if (IsAcceptFocus(pNew))
        SetFocusedItem(pNew, FALSE);
    NotifyOwner(kTpnItemDropped, reinterpret_cast<LPARAM>(pNew));
    return TRUE;
}

void CKitTaskPanel::StartGroupDrag(Group* pGroup)
{
    if (!pGroup || GetAllowDrag(*pGroup) == 0)
        return;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
    m_refs.dragged = pGroup;
    Invalidate();
    MSG msg;
    while (::GetCapture() == m_hWnd && PumpModalMessage(msg))
    {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_hWnd)
        {
            // The group may have been removed meanwhile; its reference went with it.
            if (!m_refs.dragged)
                break;
            const CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            BOOL bCaption = FALSE;
            Group* pOver = HitTestGroup(point, &bCaption);
            if (pOver && bCaption && pOver != m_refs.dragged)
            {
                m_groups.Move(m_refs.dragged, m_groups.IndexOf(pOver));
                Relayout(FALSE);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    m_refs.dragged = nullptr;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    Invalidate();
}
