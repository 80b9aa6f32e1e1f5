#include "CTabStrip.h"

#include <algorithm>

#include "CScreenTipContext.h"
#include "CTabStripDrawer.h"
#include "CaptureLoop.h"
#include "core/TabRowLayout.h"

COLORREF GetAutoTabColor(COLORREF crColor)
{
    return kit::tabs::ResolveTabColor(crColor);
}

CTabStrip::CTabStrip()
{
    m_buttons[0] = std::make_unique<CTabStripLeftButton>(this);
    m_buttons[1] = std::make_unique<CTabStripRightButton>(this);
    m_buttons[2] = std::make_unique<CTabStripCloseButton>(this);
}

CTabStrip::~CTabStrip()
{
    for (CKitTabManagerItem* pItem : m_items)
    {
        pItem->m_pStrip = nullptr;
        pItem->InternalRelease();
    }
}

CKitTabManagerItem* CTabStrip::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_items[static_cast<size_t>(nIndex)] : nullptr;
}

BOOL CTabStrip::IsHorizontal() const
{
    const int nPosition = GetPosition();
    return nPosition == 0 || nPosition == 2;
}

int CTabStrip::GetPosition() const
{
    return GetDrawer()->GetPosition();
}

int CTabStrip::GetLayout() const
{
    return GetDrawer()->GetLayout();
}

BOOL CTabStrip::HasFrame() const
{
    return GetDrawer()->m_bFrame;
}

COLORREF CTabStrip::GetItemColor(const CKitTabManagerItem* pItem) const
{
    return GetAutoTabColor(pItem->m_crColor);
}

void CTabStrip::GetTabSizes(SIZE* pFixed, SIZE* pMinimum, SIZE* pMaximum) const
{
    if (pFixed)
        *pFixed = m_sizeFixed;
    if (pMinimum)
        *pMinimum = m_sizeMinimum;
    if (pMaximum)
        *pMaximum = m_sizeMaximum;
}

void CTabStrip::OnItemsChanged()
{
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->m_nIndex = static_cast<int>(i);
    Relayout();
}

CKitTabManagerItem* CTabStrip::InsertItem(int nIndex, CKitTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CKitTabManagerItem();
    pItem->m_pStrip = this;
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = GetItemCount();
    m_items.insert(m_items.begin() + nIndex, pItem);
    CTabStripDrawer* pDrawer = GetDrawer();
    pItem->m_crColor = kit::tabs::AutoTabColorIndex(pDrawer->m_nAutoColorCounter++);
    OnItemsChanged();
    return pItem;
}

BOOL CTabStrip::DeleteItem(int nIndex)
{
    CKitTabManagerItem* pItem = GetItem(nIndex);
    if (!pItem)
        return FALSE;
    const BOOL bSelected = pItem == m_pSelected;
    if (pItem == m_pHot)
        m_pHot = nullptr;
    if (bSelected)
        m_pSelected = nullptr;
    m_items.erase(m_items.begin() + nIndex);
    pItem->m_pStrip = nullptr;
    pItem->InternalRelease();
    if (bSelected)
        SelectNearest(nIndex);
    OnItemsChanged();
    return TRUE;
}

void CTabStrip::DeleteAllItems()
{
    for (CKitTabManagerItem* pItem : m_items)
    {
        pItem->m_pStrip = nullptr;
        pItem->InternalRelease();
    }
    m_items.clear();
    m_pSelected = nullptr;
    m_pHot = nullptr;
    OnItemsChanged();
}

void CTabStrip::SelectNearest(int nIndex)
{
    if (m_items.empty())
    {
        SetSelectedItem(nullptr);
        return;
    }
    SetSelectedItem(m_items[static_cast<size_t>(std::clamp(nIndex, 0, GetItemCount() - 1))]);
}

void CTabStrip::SetSelectedItem(CKitTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Relayout();
    if (pItem)
        GetDrawer()->EnsureVisible(this, pItem);
}

void CTabStrip::ActivateItem(CKitTabManagerItem* pItem)
{
    if (pItem)
        OnItemClick(pItem);
}

void CTabStrip::SetScrollOffset(int nOffset)
{
    nOffset = std::min(nOffset, 0);
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    Relayout();
}

void CTabStrip::Scroll(BOOL bForwards)
{
    SetScrollOffset(bForwards ? m_nScrollOffset - m_nScrollStep : m_nScrollOffset + m_nScrollStep);
}

void CTabStrip::EnsureVisible(CKitTabManagerItem* pItem)
{
    GetDrawer()->EnsureVisible(this, pItem);
}

int CTabStrip::GetTotalTabLength() const
{
    if (GetLayout() == 5)
        return GetItemCount() * GetDrawer()->GetShapeRowHeight(this);
    int nTotal = 0;
    for (const CKitTabManagerItem* pItem : m_items)
        nTotal += pItem->m_nLength;
    return nTotal;
}

BOOL CTabStrip::IsButtonNeeded(const CTabStripButton* pButton) const
{
    if (pButton->m_nKind != CTabStripButton::kClose)
        return TRUE;
    return m_pSelected && m_pSelected->m_bClosable;
}

CTabStripButton* CTabStrip::FindButton(int nKind) const
{
    for (const auto& pButton : m_buttons)
        if (pButton->m_nKind == nKind)
            return pButton.get();
    return nullptr;
}

CKitTabManagerItem* CTabStrip::HitTest(int x, int y) const
{
    const CPoint point(x, y);
    if (!m_rectControl.PtInRect(point) || (!m_rectHeader.IsRectEmpty() && !m_rectHeader.PtInRect(point)))
        return nullptr;
    for (CKitTabManagerItem* pItem : m_items)
        if (pItem->m_bEnabled && pItem->m_bShown && pItem->m_rect.PtInRect(point))
            return pItem;
    return nullptr;
}

CKitTabManagerItem* CTabStrip::FindNextNavigable(int nIndex, int nStep) const
{
    for (int i = nIndex + nStep; i >= 0 && i < GetItemCount(); i += nStep)
    {
        CKitTabManagerItem* pItem = m_items[static_cast<size_t>(i)];
        if (!pItem)
            return nullptr;
        if (pItem->m_bShown && pItem->m_bEnabled)
            return pItem;
    }
    return nullptr;
}

BOOL CTabStrip::OnKeyDown(CWnd* pWnd, UINT nKey)
{
    if (m_items.empty())
        return FALSE;
    if (pWnd && pWnd->GetSafeHwnd() && (pWnd->GetExStyle() & WS_EX_LAYOUTRTL))
    {
        if (nKey == VK_LEFT)
            nKey = VK_RIGHT;
        else if (nKey == VK_RIGHT)
            nKey = VK_LEFT;
    }
    const BOOL bHorizontal = IsHorizontal();
    const int nSelected = m_pSelected ? m_pSelected->m_nIndex : -1;
    const UINT nBack = bHorizontal ? VK_LEFT : VK_UP;
    const UINT nOn = bHorizontal ? VK_RIGHT : VK_DOWN;
    if (nKey == VK_HOME)
        ActivateItem(FindNextNavigable(-1, 1));
    else if (nKey == VK_END)
        ActivateItem(FindNextNavigable(GetItemCount(), -1));
    else if (nKey == nBack)
    {
        if (m_pSelected && nSelected > 0)
            ActivateItem(FindNextNavigable(nSelected, -1));
    }
    else if (nKey == nOn)
    {
        if (m_pSelected && nSelected < GetItemCount() - 1)
            ActivateItem(FindNextNavigable(nSelected, 1));
    }
    else if (nKey != VK_LEFT && nKey != VK_RIGHT && nKey != VK_UP && nKey != VK_DOWN)
        return FALSE;
    return TRUE;
}

BOOL CTabStrip::OnLButtonDown(CWnd* pWnd, int x, int y, BOOL bButtonsOnly)
{
    for (const auto& pButton : m_buttons)
        if (pButton->m_rect.PtInRect(CPoint(x, y)))
        {
            pButton->Track(pWnd, x, y);
            return TRUE;
        }
    if (bButtonsOnly)
        return FALSE;
    CKitTabManagerItem* pItem = HitTest(x, y);
    if (!pItem)
        return FALSE;
    if (IsReorderAllowed())
        TrackReorder(pWnd, x, y, pItem);
    else
        OnItemClick(pItem);
    return TRUE;
}

void CTabStrip::TrackReorder(CWnd* pWnd, int x, int y, CKitTabManagerItem* pItem)
{
    // The tab is held by a reference: the loop lets messages through that
    // may delete it from the strip.
    pItem->InternalAddRef();
    CKitTabManagerItem* pRemembered = m_pSelected;
    m_pSelected = pItem;
    if (GetDrawer()->m_bHotTracking)
        m_pHot = pItem;
    Relayout();
    std::vector<CRect> targets;
    for (const CKitTabManagerItem* pTab : m_items)
        targets.push_back(pTab->m_rect);
    const HWND hWnd = pWnd->GetSafeHwnd();
    ::SetCapture(hWnd);
    CPoint point(x, y);
    for (;;)
    {
        MSG msg{};
        const CaptureEvent event = NextCaptureEvent(hWnd, msg, point);
        if (event == CaptureEvent::End || event == CaptureEvent::Release)
            break;
        if (event == CaptureEvent::Other)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        if (event != CaptureEvent::Move)
            continue;
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
    OnMouseMove(pWnd, point.x, point.y);
    // A remembered tab that left the strip meanwhile is not selected again.
    m_pSelected = std::find(m_items.begin(), m_items.end(), pRemembered) != m_items.end() ? pRemembered : nullptr;
    if (pItem->m_pStrip == this)
        OnItemClick(pItem);
    pItem->InternalRelease();
}

void CTabStrip::OnMouseMove(CWnd* pWnd, int x, int y)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || IsMouseTrackingOff())
        return;
    const HWND hTop = ::GetAncestor(pWnd->GetSafeHwnd(), GA_ROOT);
    if (hTop != ::GetActiveWindow())
        return;
    if (GetDrawer()->m_bHotTracking)
    {
        CKitTabManagerItem* pHot = HitTest(x, y);
        if (pHot != m_pHot)
        {
            m_pHot = pHot;
            RedrawOwner();
            if (pHot)
            {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, pWnd->GetSafeHwnd(), 0};
                ::_TrackMouseEvent(&track);
            }
        }
    }
    for (const auto& pButton : m_buttons)
        pButton->OnMouseMove(pWnd, x, y);
}

INT_PTR CTabStrip::OnToolHitTest(CWnd* pWnd, CKitTabManagerItem* pItem, TOOLINFOW* pTI) const
{
    const int nMode = GetDrawer()->m_nTooltipMode;
    if (!pItem || nMode == 0 || (nMode == 2 && pItem->m_nLength >= pItem->m_nIdealLength))
        return -1;
    const CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    const CString strCaption = GetItemCaption(pItem);
    FillToolInfo(pTI, pWnd->GetSafeHwnd(), pItem->m_rect, static_cast<UINT_PTR>(pItem->m_nIndex), strTip, strCaption,
                 strTip);
    return pItem->m_nIndex;
}
