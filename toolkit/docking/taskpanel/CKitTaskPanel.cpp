#include "CKitTaskPanel.h"

#include <algorithm>

#include "CCommandIconStore.h"
#include "CKitTaskPanelEditItem.h"
#include "CPopupMouseTracker.h"
#include "CScreenTipContext.h"
#include "CToolkitResources.h"
#include "DeviceContexts.h"
#include "TaskPanelClipboard.h"
#include "TaskPanelDrawerFactory.h"

using namespace kit::taskpanel;
using kit::KitRect;

namespace {

// Registered when the program starts, so that every panel and every program
// that reads the format agrees on its id.
const CLIPFORMAT g_taskPanelItemFormat = TaskPanelItemFormat();

constexpr UINT kHandCursorID = 9973;
constexpr UINT kAnimationPeriod = 30;

KitRect ToKit(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
CRect FromKit(const KitRect& rect) { return CRect(rect.left, rect.top, rect.right, rect.bottom); }

}  // namespace

// The drawing style answers the margins and measures items and captions for
// the portable layout, on a client DC of the panel.
class CKitTaskPanel::DrawerMetrics : public LayoutMetrics
{
public:
    explicit DrawerMetrics(CKitTaskPanel& panel) : m_panel(panel) {}

    KitRect GroupOuterMargins(const Group& group) override { return ToKit(Drawer().GetGroupOuterMargins(group)); }
    KitRect GroupInnerMargins(const Group& group) override { return ToKit(Drawer().GetGroupInnerMargins(group)); }
    KitRect ItemOuterMargins(const GroupItem& item) override { return ToKit(Drawer().GetItemOuterMargins(item)); }
    KitRect ImageItemOffset() override { return ToKit(Drawer().m_rcImageItemOffset); }
    KitRect MeasureItem(const GroupItem& item, const KitRect& bounds) override
    {
        CClientDC dc(&m_panel);
        return ToKit(Drawer().DrawItem(&dc, const_cast<GroupItem&>(item), FromKit(bounds), FALSE));
    }
    int MeasureCaption(const Group& group) override
    {
        CClientDC dc(&m_panel);
        return Drawer().DrawGroupCaption(&dc, const_cast<Group&>(group), FALSE);
    }

private:
    CTaskPanelDrawer& Drawer() { return *m_panel.GetDrawer(); }
    CKitTaskPanel& m_panel;
};

BOOL CTaskPanelScrollButton::IsVisible(const CTaskPanelDrawer* pDrawer) const
{
    return !rect.IsRectEmpty() && pGroup && (bEnabled || (pDrawer && pDrawer->HasCaptionScrollButtons()));
}

IMPLEMENT_DYNAMIC(CKitTaskPanel, CWnd)

BEGIN_MESSAGE_MAP(CKitTaskPanel, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_MESSAGE(WM_PRINT, OnPrint)
  ON_WM_SIZE()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
  ON_WM_TIMER()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CKitTaskPanel::CKitTaskPanel()
    : m_groups(&m_refs), m_rcMargins(FromKit(kTaskPanelDefaultRect)), m_nGroupSpacing(kDefaultSide),
      m_pMetrics(std::make_unique<DrawerMetrics>(*this))
{
    SelectPanelStyle(2);
    m_hHandCursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (!m_hHandCursor)
        m_hHandCursor = GetToolkitResources()->LoadCursor(kHandCursorID);
    SetAnimation(0);
    m_pIconStore = std::make_unique<CCommandIconStore>();
    m_pTips = std::make_unique<CScreenTipContext>();
    m_bOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
    m_refs.onForget = [this](const PanelItem* pItem) { OnItemRemoved(pItem); };
}

CKitTaskPanel::~CKitTaskPanel()
{
    if (GetSafeHwnd())
        DestroyWindow();
    m_groups.RemoveAll();
    m_refs.onForget = nullptr;
    m_pDrawer.reset();
    if (m_bOleInitialized)
        ::OleUninitialize();
}

BOOL CKitTaskPanel::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    // Hosted windows and the rename editor lie over the panel's own painting.
    return CWnd::Create(lpszClass, nullptr, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CKitTaskPanel::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_dropTarget.Register(this);
    Relayout(FALSE);
    return 0;
}

void CKitTaskPanel::OnDestroy()
{
    m_refs.renamed = nullptr;
    if (m_pEditor && m_pEditor->GetSafeHwnd())
        m_pEditor->DestroyWindow();
    m_dropTarget.Revoke();
    if (m_nAnimationTimer)
        KillTimer(kAnimationTimer);
    m_nAnimationTimer = 0;
    CWnd::OnDestroy();
}

void CKitTaskPanel::SelectPanelStyle(int nStyle)
{
    m_pDrawer.reset();
    m_pDrawer = CreateTaskPanelDrawer(nStyle, this);
    m_nStyle = nStyle;
    m_pDrawer->ReloadMetrics();
    Relayout(TRUE);
}

void CKitTaskPanel::SetAnimation(int nMode)
{
    m_nAnimationMode = nMode;
    if (nMode == 0 || nMode == 1)
    {
        m_bAnimation = nMode == 0;
        return;
    }
    BOOL bMenuAnimation = FALSE;
    m_bAnimation = ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bMenuAnimation, 0) && bMenuAnimation;
}

CCommandIconStore* CKitTaskPanel::GetIconStore() const
{
    return m_pIconStore ? m_pIconStore.get() : GetCommandIconStore();
}

// Groups and items.

Group* CKitTaskPanel::AddGroup(LPCWSTR lpszCaption, int nIconIndex, int nID)
{
    auto group = std::make_unique<Group>(&m_refs);
    group->caption = reinterpret_cast<const char16_t*>(lpszCaption ? lpszCaption : L"");
    group->iconIndex = nIconIndex;
    group->id = nID;
    Group* pGroup = m_groups.InsertAt(m_groups.GetCount(), std::move(group));
    Relayout(TRUE);
    return pGroup;
}

GroupItem* CKitTaskPanel::AddItem(Group* pGroup, int nType, LPCWSTR lpszCaption, int nIconIndex, int nID)
{
    if (!pGroup)
        return nullptr;
    auto item = std::make_unique<GroupItem>();
    item->type = nType;
    item->caption = reinterpret_cast<const char16_t*>(lpszCaption ? lpszCaption : L"");
    item->iconIndex = nIconIndex;
    item->id = nID;
    pGroup->items.SetReferences(&m_refs);
    GroupItem* pItem = pGroup->items.InsertAt(pGroup->items.GetCount(), std::move(item));
    Relayout(TRUE);
    return pItem;
}

void CKitTaskPanel::RemoveItem(PanelItem* pItem)
{
    if (!pItem)
        return;
    if (pItem->IsGroup())
        m_groups.Remove(pItem);
    else if (Group* pGroup = GetItemGroup(pItem))
        pGroup->items.Remove(pItem);
    Relayout(TRUE);
}

void CKitTaskPanel::OnItemRemoved(const PanelItem* pItem)
{
    DropAccessible(pItem);
    for (CTaskPanelScrollButton* pButton : {&m_upButton, &m_downButton})
        if (pButton->pGroup == pItem || pButton->pCaptionGroup == pItem)
        {
            pButton->pGroup = nullptr;
            pButton->pCaptionGroup = nullptr;
            pButton->rect.SetRectEmpty();
        }
}

Group* CKitTaskPanel::GetNextVisibleGroup(int nIndex, int nStep) const
{
    return m_groups.GetAt(m_groups.GetNextVisibleIndex(nIndex, nStep));
}

BOOL CKitTaskPanel::IsAnyGroupDirty() const
{
    for (int i = 0; i < m_groups.GetCount(); ++i)
        if (m_groups.GetAt(i)->IsDirty())
            return TRUE;
    return FALSE;
}

Group* CKitTaskPanel::GetItemGroup(const PanelItem* pItem) const
{
    if (!pItem)
        return nullptr;
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group* pGroup = m_groups.GetAt(i);
        if (pGroup == pItem || pGroup->items.IndexOf(pItem) >= 0)
            return pGroup;
    }
    return nullptr;
}

// Settings.

void CKitTaskPanel::SetBehaviour(int nBehaviour)
{
    m_nBehaviour = nBehaviour;
    Relayout(FALSE);
}

int CKitTaskPanel::GetItemLayout() const
{
    static const int kDefaults[] = {2, 3, 2};
    return m_nItemLayout != 0 ? m_nItemLayout : kDefaults[m_nBehaviour >= 0 && m_nBehaviour <= 2 ? m_nBehaviour : 0];
}

int CKitTaskPanel::GetHotTrackStyle() const
{
    static const int kDefaults[] = {1, 2, 3};
    return m_nHotTrackStyle != 0 ? m_nHotTrackStyle
                                 : kDefaults[m_nBehaviour >= 0 && m_nBehaviour <= 2 ? m_nBehaviour : 0];
}

int CKitTaskPanel::GetGroupItemLayout(const Group& group) const
{
    return group.layout != 0 ? group.layout : GetItemLayout();
}

CSize CKitTaskPanel::GetGroupItemIconSize(const Group& group) const
{
    return group.iconSize.cx != 0 || group.iconSize.cy != 0 ? CSize(group.iconSize.cx, group.iconSize.cy)
                                                            : m_szItemIcon;
}

void CKitTaskPanel::SetIconSizes(CSize szItem, CSize szGroup)
{
    m_szItemIcon = szItem;
    m_szGroupIcon = szGroup;
    Relayout(FALSE);
}

void CKitTaskPanel::SetColumnMode(BOOL bColumns, int nWidth)
{
    m_bColumnMode = bColumns;
    m_nColumnWidth = nWidth;
    Relayout(FALSE);
}

PanelPlacement CKitTaskPanel::MakePlacement(BOOL bAnimate) const
{
    PanelPlacement placement;
    placement.behaviour = m_nBehaviour;
    placement.activeGroup = m_refs.activeGroup;
    placement.animate = bAnimate && m_bAnimation;
    if (GetSafeHwnd())
    {
        CRect client;
        GetClientRect(client);
        placement.clientHeight = client.Height();
    }
    placement.controlMargins = ToKit(m_pDrawer->GetControlMargins());
    placement.groupSpacing = m_pDrawer->GetGroupSpacing();
    placement.layout.itemLayout = GetItemLayout();
    placement.layout.itemIconSize = {m_szItemIcon.cx, m_szItemIcon.cy};
    placement.layout.columnMode = m_bColumnMode;
    placement.layout.columnWidth = m_nColumnWidth;
    placement.focused = m_refs.focused;
    placement.selectFocusedLink = m_bSelectFocusedLink;
    return placement;
}

LayoutMetrics& CKitTaskPanel::GetLayoutMetrics() { return *m_pMetrics; }

// Layout and animation.

void CKitTaskPanel::LockUpdate(BOOL bLock)
{
    if (bLock)
        ++m_nLockCount;
    else if (m_nLockCount > 0 && --m_nLockCount == 0)
        Relayout(TRUE);
}

void CKitTaskPanel::Relayout(BOOL bAnimate)
{
    if (!GetSafeHwnd() || m_nLockCount > 0)
        return;
    CRect client;
    GetClientRect(client);
    const CRect margins = m_pDrawer->GetControlMargins();
    const int spacing = m_pDrawer->GetGroupSpacing();
    const KitRect rect{client.left + margins.left, 0, client.right - margins.right, client.bottom};
    const PanelPlacement placement = MakePlacement(bAnimate);

    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group& group = *m_groups.GetAt(i);
        group.items.SetReferences(&m_refs);
        if (!group.visible)
            continue;
        // Captions that wrap measure against the width they will get.
        const CRect outer = m_pDrawer->GetGroupOuterMargins(group);
        group.targetRect.left = rect.left + outer.left;
        group.targetRect.right = rect.right - outer.right;
        LayoutGroupItems(group, rect, *m_pMetrics, placement.layout);
    }

    int y = margins.top;
    BOOL bFirst = TRUE;
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group& group = *m_groups.GetAt(i);
        if (!group.visible)
        {
            AnimateGroup(group, 0);
            continue;
        }
        if (!bFirst)
            y += spacing;
        bFirst = FALSE;
        const KitRect target =
            CalcGroupRect(group, {rect.left, y, rect.right, y}, bAnimate, m_groups, placement, *m_pMetrics);
        if (!group.IsDirty())
            AnimateGroup(group, 0);  // at its place already: its hosted windows follow
        y = target.bottom + m_pDrawer->GetGroupOuterMargins(group).bottom;
    }
    m_nContentHeight = y + margins.bottom;
    RepositionScrollButtons();

    m_nAnimationSteps = 10;
    const BOOL bDirty = IsAnyGroupDirty();
    if (bDirty && !m_nAnimationTimer)
        m_nAnimationTimer = SetTimer(kAnimationTimer, kAnimationPeriod, nullptr);
    else if (!bDirty && m_nAnimationTimer)
    {
        KillTimer(kAnimationTimer);
        m_nAnimationTimer = 0;
    }
    UpdateScrollBar();
    if (!m_bAnimation)
        AnimateGroups(FALSE);
    Invalidate();
}

void CKitTaskPanel::SettleGroup(Group& group)
{
    if (group.IsDirty() || !group.expanding)
        return;
    group.expanding = false;
    NotifyOwner(kTpnGroupExpanded, reinterpret_cast<LPARAM>(&group));
}

void CKitTaskPanel::AnimateGroup(Group& group, int nSteps)
{
    group.Animate(nSteps);
    SettleGroup(group);
    for (int i = 0; i < group.items.GetCount(); ++i)
        if (GroupItem* pItem = group.items.GetAt(i); pItem->type == kTypeControl)
            PlaceHostedWindow(group, *pItem);
}

BOOL CKitTaskPanel::AnimateGroups(BOOL bDirtyOnly)
{
    BOOL bRan = FALSE;
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group& group = *m_groups.GetAt(i);
        if (bDirtyOnly && !group.IsDirty())
            continue;
        AnimateGroup(group, m_nAnimationSteps);
        bRan = TRUE;
    }
    RepositionScrollButtons();
    // A group that moves takes its items from under an open editor.
    if (bRan && GetSafeHwnd() && m_pEditor && ::GetFocus() == m_pEditor->GetSafeHwnd())
        FocusPanel();
    return bRan;
}

void CKitTaskPanel::OnAnimationTimer()
{
    const BOOL bRan = AnimateGroups(TRUE);
    Invalidate();
    --m_nAnimationSteps;
    if (!bRan && m_nAnimationTimer)
    {
        KillTimer(kAnimationTimer);
        m_nAnimationTimer = 0;
    }
}

// Expansion.

BOOL CKitTaskPanel::IsGroupExpanded(const Group* pGroup) const
{
    if (!pGroup)
        return FALSE;
    if (m_nBehaviour == 0)
        return pGroup->expanded;
    return pGroup == m_refs.activeGroup || (pGroup->expanded && !pGroup->expandable);
}

void CKitTaskPanel::ExpandGroup(Group* pGroup, BOOL bExpand)
{
    if (!pGroup)
        return;
    if (m_nBehaviour != 0 && !bExpand)
        return;
    TaskPanelExpandingInfo info{pGroup, bExpand};
    if (NotifyOwner(kTpnGroupExpanding, reinterpret_cast<LPARAM>(&info)) == -1)
        return;
    if (m_nBehaviour == 0)
    {
        pGroup->expanded = bExpand != FALSE;
        pGroup->expanding = true;
    }
    else
    {
        if (Group* pActive = m_refs.activeGroup; pActive && CanToggle(*pActive))
        {
            pActive->expanded = false;
            pActive->expanding = true;
        }
        m_refs.activeGroup = pGroup;
        pGroup->expanding = true;
        pGroup->expanded = true;
    }
    Relayout(TRUE);
}

void CKitTaskPanel::ToggleGroup(Group* pGroup)
{
    if (pGroup)
        ExpandGroup(pGroup, !IsGroupExpanded(pGroup));
}

// States.

BOOL CKitTaskPanel::IsFocusCueVisible() const
{
    return m_bFocusCue && GetSafeHwnd() && ::GetFocus() == m_hWnd;
}

BOOL CKitTaskPanel::CanToggle(const Group& group) const
{
    return group.expandable && m_bGroupsTakeFocus && group.enabled;
}

BOOL CKitTaskPanel::IsAcceptFocus(const PanelItem* pItem) const
{
    if (!pItem || !pItem->enabled || !pItem->visible)
        return FALSE;
    if (pItem->type == kTypeGroup)
        return CanToggle(static_cast<const Group&>(*pItem));
    return pItem->type == kTypeLink;
}

BOOL CKitTaskPanel::IsItemSelected(const GroupItem& item) const
{
    return m_bFocusIsSelection ? m_refs.focused == &item : item.selected;
}

void CKitTaskPanel::SetItemSelected(GroupItem& item, BOOL bSelected)
{
    if (m_bFocusIsSelection)
    {
        if (bSelected)
            SetFocusedItem(&item, FALSE);
        return;
    }
    if (item.selected != (bSelected != FALSE))
    {
        item.selected = bSelected != FALSE;
        if (GetSafeHwnd() && m_nLockCount == 0)
            Invalidate();
    }
}

BOOL CKitTaskPanel::IsAllowDrop(const PanelItem& item) const
{
    const Group* pGroup = GetItemGroup(&item);
    return item.allowDrop && (!pGroup || pGroup->allowDrop) && m_bAllowDrop;
}

UINT CKitTaskPanel::GetAllowDrag(const PanelItem& item) const
{
    const Group* pGroup = GetItemGroup(&item);
    const uint32_t groupFlags = pGroup && pGroup != &item ? pGroup->allowDrag : kDragInherit;
    return ResolveAllowDrag(item.allowDrag, groupFlags, m_nAllowDrag);
}

BOOL CKitTaskPanel::HasDropMark(const Group& group) const
{
    return m_refs.dropMark && !m_refs.dropMark->IsGroup() && group.items.IndexOf(m_refs.dropMark) >= 0;
}

void CKitTaskPanel::SetHotItem(PanelItem* pItem)
{
    if (m_refs.hot == pItem)
        return;
    m_refs.hot = pItem;
    if (pItem && GetSafeHwnd())
    {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CKitTaskPanel::FocusPanel()
{
    if (!m_bTakesFocus || !GetSafeHwnd() || ::GetFocus() == m_hWnd)
        return;
    m_bFocusGuard = TRUE;
    SetFocus();
    m_bFocusGuard = FALSE;
}

void CKitTaskPanel::SetFocusedItem(PanelItem* pItem, BOOL bKeyboardCue)
{
    if (bKeyboardCue)
        m_bFocusCue = m_bTakesFocus;
    FocusPanel();
    if (m_refs.focused == pItem)
        return;
    if (m_bSelectFocusedLink && pItem && pItem->type == kTypeLink && !m_bFocusIsSelection)
        if (Group* pGroup = GetItemGroup(pItem))
            for (int i = 0; i < pGroup->items.GetCount(); ++i)
                SetItemSelected(*pGroup->items.GetAt(i), pGroup->items.GetAt(i) == pItem);
    m_refs.focused = pItem;
    if (!GetSafeHwnd())
        return;
    EnsureVisible(pItem);
    Invalidate();
    NotifyOwner(kTpnFocusedItemChanged, 0);
    if (m_refs.focused)
        NotifyEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, GetAccessibleIndex(m_refs.focused));
}

// Geometry.

int CKitTaskPanel::GetScrollPosition() const
{
    return m_bScrollBarShown && GetSafeHwnd() ? ::GetScrollPos(m_hWnd, SB_VERT) : 0;
}

int CKitTaskPanel::GetScrollLimit() const
{
    CRect client;
    GetClientRect(client);
    return std::max(0, m_nContentHeight - static_cast<int>(client.Height()));
}

void CKitTaskPanel::SetScrollPosition(int nPos)
{
    if (!GetSafeHwnd())
        return;
    ::SetScrollPos(m_hWnd, SB_VERT, nPos, TRUE);
    AnimateGroups(FALSE);
    Invalidate();
}

void CKitTaskPanel::UpdateScrollBar()
{
    if (m_bScrollBarGuard || !GetSafeHwnd())
        return;
    m_bScrollBarGuard = TRUE;
    m_nScrollBarContentHeight = m_nContentHeight;
    CRect client;
    GetClientRect(client);
    const BOOL bShow = client.Height() < m_nContentHeight;
    if (bShow != m_bScrollBarShown)
    {
        m_bScrollBarShown = bShow;
        ShowScrollBar(SB_VERT, bShow);
        GetClientRect(client);  // the bar takes its width from the client area
    }
    if (bShow)
    {
        SCROLLINFO info{sizeof(info), SIF_ALL};
        ::GetScrollInfo(m_hWnd, SB_VERT, &info);
        if (static_cast<int>(info.nPage) != client.Height() || info.nMax != m_nContentHeight - 1 || info.nMin != 0)
        {
            info.fMask = SIF_PAGE | SIF_RANGE;
            info.nPage = static_cast<UINT>(client.Height());
            info.nMin = 0;
            info.nMax = m_nContentHeight - 1;
            ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
            AnimateGroups(FALSE);
        }
        ::EnableScrollBar(m_hWnd, SB_VERT, ESB_ENABLE_BOTH);
    }
    m_bScrollBarGuard = FALSE;
}

void CKitTaskPanel::ScrollIntoView(CRect rect)
{
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(client);
    int pos = GetScrollPosition();
    if (rect.bottom > pos + client.bottom)
        pos = std::min<int>(rect.top, rect.bottom - client.Height());
    else if (rect.top < pos)
        pos = rect.top;
    SetScrollPosition(pos);
}

void CKitTaskPanel::EnsureVisible(PanelItem* pItem)
{
    if (!pItem || !pItem->visible)
        return;
    Group* pGroup = GetItemGroup(pItem);
    if (!pGroup)
        return;
    if (pItem == pGroup)
    {
        ScrollIntoView(GetCaptionRect(*pGroup));
        return;
    }
    if (!IsGroupExpanded(pGroup))
        ExpandGroup(pGroup, TRUE);
    const auto& item = static_cast<const GroupItem&>(*pItem);
    if (m_nBehaviour == 0)
    {
        CRect rect = FromKit(item.itemRect);
        rect.OffsetRect(0, GetGroupClientRect(*pGroup, TRUE).top);
        ScrollIntoView(rect);
        return;
    }
    CRect whole = FromKit(pGroup->targetRect);
    ScrollIntoView(whole);
    const int innerTop = m_pDrawer->GetGroupInnerMargins(*pGroup).top;
    const int first = pGroup->firstVisibleItem;
    kit::taskpanel::EnsureItemVisible(*pGroup, item, MakePlacement(FALSE), innerTop);
    if (pGroup->firstVisibleItem != first)
    {
        AnimateGroup(*pGroup, 0);
        UpdateScrollButtons();
    }
}

CRect CKitTaskPanel::GetCaptionRect(const Group& group, BOOL bTarget) const
{
    const KitRect& r = bTarget ? group.targetRect : group.currentRect;
    CRect caption(r.left, r.top, r.right, r.top + group.captionHeight);
    for (const CTaskPanelScrollButton* pButton : {&m_upButton, &m_downButton})
        if (pButton->pCaptionGroup == &group)
            caption.right = std::min<LONG>(caption.right, pButton->rect.left - m_pDrawer->GetGroupSpacing() - 1);
    return caption;
}

CRect CKitTaskPanel::GetGroupClientRect(const Group& group, BOOL bTarget) const
{
    const KitRect& r = bTarget ? group.targetRect : group.currentRect;
    CRect client(r.left, r.top + group.captionHeight, r.right, r.bottom);
    if (client.bottom < client.top)
        client.bottom = client.top;
    return client;
}

int CKitTaskPanel::GetGroupScrollOffset(const Group& group) const
{
    return GroupScrollOffset(group, m_pDrawer->GetGroupInnerMargins(group).top);
}

CRect CKitTaskPanel::GetItemRect(const PanelItem& item) const
{
    const int scroll = GetScrollPosition();
    if (item.IsGroup())
    {
        CRect caption = GetCaptionRect(static_cast<const Group&>(item));
        caption.OffsetRect(0, -scroll);
        return caption;
    }
    const Group* pGroup = GetItemGroup(&item);
    if (!item.visible || !pGroup)
        return CRect();
    CRect rect = FromKit(static_cast<const GroupItem&>(item).itemRect);
    rect.OffsetRect(0, GetGroupClientRect(*pGroup).top - scroll - GetGroupScrollOffset(*pGroup));
    return rect;
}

CTaskPanelScrollButton* CKitTaskPanel::HitTestScrollButton(CPoint point)
{
    point.y += GetScrollPosition();
    for (CTaskPanelScrollButton* pButton : {&m_downButton, &m_upButton})
        if (pButton->IsVisible(m_pDrawer.get()) && pButton->rect.PtInRect(point))
            return pButton;
    return nullptr;
}

Group* CKitTaskPanel::HitTestGroup(CPoint point, BOOL* pbCaption) const
{
    if (const_cast<CKitTaskPanel*>(this)->HitTestScrollButton(point))
        return nullptr;
    point.y += GetScrollPosition();
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group* pGroup = m_groups.GetAt(i);
        if (!pGroup->visible)
            continue;
        if (GetGroupClientRect(*pGroup).PtInRect(point))
        {
            if (pbCaption)
                *pbCaption = FALSE;
            return pGroup;
        }
        if (pGroup->captionVisible && GetCaptionRect(*pGroup).PtInRect(point))
        {
            if (pbCaption)
                *pbCaption = TRUE;
            return pGroup;
        }
    }
    return nullptr;
}

PanelItem* CKitTaskPanel::HitTest(CPoint point, BOOL bGroupFallback) const
{
    BOOL bCaption = FALSE;
    Group* pGroup = HitTestGroup(point, &bCaption);
    if (!pGroup || bCaption)
        return pGroup;
    if (IsGroupExpanded(pGroup))
    {
        const int y = point.y + GetScrollPosition() + GetGroupScrollOffset(*pGroup) - pGroup->captionHeight -
                      pGroup->currentRect.top;
        for (int i = 0; i < pGroup->items.GetCount(); ++i)
        {
            GroupItem* pItem = pGroup->items.GetAt(i);
            if (pItem->visible && FromKit(pItem->itemRect).PtInRect(CPoint(point.x, y)))
                return pItem;
        }
    }
    return bGroupFallback ? pGroup : nullptr;
}

// Notifications.

LRESULT CKitTaskPanel::NotifyOwner(WPARAM nCode, LPARAM lParam)
{
    if (!GetSafeHwnd())
        return 0;
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!hOwner)
        hOwner = ::GetParent(m_hWnd);
    return hOwner ? ::SendMessageW(hOwner, WM_TASKPANEL_NOTIFY, nCode, lParam) : 0;
}

void CKitTaskPanel::OnClick(GroupItem* pItem)
{
    NotifyOwner(kTpnItemClick, reinterpret_cast<LPARAM>(pItem));
}

void CKitTaskPanel::RenameItem(PanelItem* pItem, LPCWSTR lpszText)
{
    if (!pItem || !lpszText || !*lpszText)
        return;
    if (NotifyOwner(kTpnEndLabelEdit, reinterpret_cast<LPARAM>(pItem)) != 0)
        return;
    const std::u16string text(reinterpret_cast<const char16_t*>(lpszText));
    if (pItem->caption != text)
    {
        pItem->caption = text;
        Relayout(TRUE);
    }
}

BOOL CKitTaskPanel::EditItemCaption(PanelItem* pItem)
{
    if (!GetSafeHwnd() || !pItem || GetItemRect(*pItem).IsRectEmpty())
        return FALSE;
    EnsureVisible(pItem);
    UpdateWindow();  // the drawing style records where the caption is
    CRect rect = FromKit(pItem->textRect);
    rect.OffsetRect(0, -GetScrollPosition());
    if (rect.IsRectEmpty())
        rect = GetItemRect(*pItem);
    // Room for a longer caption: up to the group's inner right margin.
    if (const Group* pGroup = GetItemGroup(pItem))
        rect.right = std::max<LONG>(rect.right, GetGroupClientRect(*pGroup).right -
                                                    m_pDrawer->GetGroupInnerMargins(*pGroup).right);
    rect.InflateRect(2, 2);
    if (m_pEditor && m_pEditor->GetSafeHwnd())
        m_pEditor->DestroyWindow();
    m_pEditor = std::make_unique<CKitTaskPanelEditItem>(this);
    m_refs.renamed = pItem;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL |
                        ((pItem->textFormat & DT_CENTER) ? ES_CENTER : ES_LEFT);
    if (!m_pEditor->Create(style, rect, this, 0))
    {
        m_refs.renamed = nullptr;
        return FALSE;
    }
    m_pEditor->SetFont(pItem->IsGroup() ? m_pDrawer->GetCaptionFont() : m_pDrawer->GetItemFont());
    m_pEditor->SetWindowText(CString(reinterpret_cast<LPCWSTR>(pItem->caption.c_str())));
    m_pEditor->SetSel(0, -1);
    m_pEditor->SetFocus();
    return TRUE;
}

void CKitTaskPanel::RenameEditedItem(LPCWSTR lpszText)
{
    PanelItem* pItem = m_refs.renamed;
    m_refs.renamed = nullptr;
    if (pItem)
        RenameItem(pItem, lpszText);
}

// Screen tips.

LRESULT CKitTaskPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pTips)
        m_pTips->FilterMouseMessage(this, message, wParam, lParam);
    LRESULT lResult = 0;
    if (message == WM_GETOBJECT && AnswerGetObject(this, wParam, lParam, &lResult))
        return lResult;
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CKitTaskPanel::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    const INT_PTR hit = CWnd::OnToolHitTest(point, pTI);
    if (hit != -1)
        return hit;
    const PanelItem* pHot = m_refs.hot;
    if (CPopupMouseTracker::GetThreadTracker()->IsTracking() || !pHot || pHot->tooltip.empty())
        return -1;
    const CString strTip(reinterpret_cast<LPCWSTR>(pHot->tooltip.c_str()));
    const CString strCaption(reinterpret_cast<LPCWSTR>(pHot->caption.c_str()));
    FillToolInfo(pTI, m_hWnd, GetItemRect(*pHot), static_cast<UINT_PTR>(pHot->id), strTip, strCaption, strTip);
    return pHot->id;
}

// Painting.

BOOL CKitTaskPanel::OnEraseBkgnd(CDC*) { return TRUE; }

void CKitTaskPanel::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(client);
    CDoubleBufferDC dc(paintDC.GetSafeHdc(), client);
    dc.SetWindowOrg(0, GetScrollPosition());
    OnDraw(&dc);
    dc.SetWindowOrg(0, 0);
}

LRESULT CKitTaskPanel::OnPrint(WPARAM wParam, LPARAM lParam)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (lParam & PRF_NONCLIENT)
        Default();
    CPoint origin = pDC->GetViewportOrg();
    pDC->SetViewportOrg(origin.x, origin.y - GetScrollPosition());
    OnDraw(pDC);
    pDC->SetViewportOrg(origin);
    return 1;
}

void CKitTaskPanel::OnDraw(CDC* pDC)
{
    m_pDrawer->FillBackground(pDC);
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group& group = *m_groups.GetAt(i);
        if (!group.visible)
            continue;
        m_pDrawer->DrawGroupCaption(pDC, group, TRUE);
        m_pDrawer->DrawGroupClient(pDC, group);
    }
    m_pDrawer->DrawScrollButton(pDC, m_upButton);
    m_pDrawer->DrawScrollButton(pDC, m_downButton);
}

void CKitTaskPanel::OnSize(UINT nType, int cx, int cy)
{
    Relayout(m_nBehaviour == 0);
    CWnd::OnSize(nType, cx, cy);
}

void CKitTaskPanel::OnSysColorChange()
{
    m_pDrawer->ReloadMetrics();
    Relayout(TRUE);
    CWnd::OnSysColorChange();
}

void CKitTaskPanel::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_nAnimationMode != 0 && m_nAnimationMode != 1)
        SetAnimation(m_nAnimationMode);
    m_pDrawer->ReloadMetrics();
    Relayout(TRUE);
}
