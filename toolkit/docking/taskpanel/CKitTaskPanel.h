// CKitTaskPanel: a child window that shows a vertical, scrollable list of
// groups, each with a caption that expands and collapses a client area of
// links, texts and icon grids. It owns the groups and the drawing style, lays
// the groups out and animates them, tracks the hot, pressed and focused
// items, moves the keyboard focus through groups and items, drags items
// within and between panels and out to other programs, and reports what the
// user does to its owner through WM_TASKPANEL_NOTIFY.
//
// The panel can live without its window (the main frame holds one that is
// never created): everything that lays out, draws or notifies returns at once
// until Create has run.
#pragma once

#include <map>
#include <memory>

#include "CAccessibleBase.h"
#include "CTaskPanelDrawer.h"
#include "Framework.h"
#include "core/GroupPlacement.h"
#include "window/OleDataTransfer.h"

class CCommandIconStore;
class CScreenTipContext;
class CKitTaskPanel;
class CKitTaskPanelEditItem;
class CTaskPanelObjectAccessible;

// Groups and items are the portable model's objects; the panel adds their
// window side (rectangles on screen, states, notifications).
using CKitTaskPanelItem = kit::taskpanel::PanelItem;
using CKitTaskPanelGroup = kit::taskpanel::Group;
using CKitTaskPanelGroupItem = kit::taskpanel::GroupItem;

constexpr UINT WM_TASKPANEL_NOTIFY = 0x27EC;

// The codes of WM_TASKPANEL_NOTIFY (wParam); lParam carries the object.
enum TaskPanelNotification : WPARAM
{
    kTpnItemClick = 1,
    kTpnRightClick = 2,
    kTpnStartDrag = 3,         // -1 cancels
    kTpnEndLabelEdit = 4,      // 0 lets the caption change
    kTpnItemDropped = 5,
    kTpnGroupExpanding = 6,    // lParam: TaskPanelExpandingInfo*; -1 vetoes
    kTpnGroupExpanded = 7,
    kTpnDoubleClick = 8,
    kTpnFocusedItemChanged = 9,
};

struct TaskPanelExpandingInfo
{
    CKitTaskPanelGroup* pGroup;
    BOOL bExpanding;
};

// One of the two buttons that scroll the items of the open group.
struct CTaskPanelScrollButton
{
    explicit CTaskPanelScrollButton(BOOL bUp) : nKind(bUp ? 1 : 0) {}
    BOOL IsUp() const { return nKind == 1; }
    BOOL IsVisible(const CTaskPanelDrawer* pDrawer) const;

    int nKind;  // 1 up, 0 down
    BOOL bEnabled = FALSE;
    BOOL bPressed = FALSE;
    CRect rect;  // unscrolled client coordinates
    BOOL bHot = FALSE;
    CKitTaskPanelGroup* pGroup = nullptr;
    CKitTaskPanelGroup* pCaptionGroup = nullptr;
};

class CTaskPanelDropTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
};

class CKitTaskPanel : public CWnd, public CAccessibleBase
{
    DECLARE_DYNAMIC(CKitTaskPanel)
public:
    using PanelItem = kit::taskpanel::PanelItem;
    using Group = kit::taskpanel::Group;
    using GroupItem = kit::taskpanel::GroupItem;

    CKitTaskPanel();
    ~CKitTaskPanel() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Drawing styles 0 to 12; any other number gives style 2.
    void SelectPanelStyle(int nStyle);
    int GetPanelStyle() const { return m_nStyle; }
    CTaskPanelDrawer* GetDrawer() const { return m_pDrawer.get(); }

    void Relayout(BOOL bAnimate);
    void LockUpdate(BOOL bLock);
    BOOL IsUpdateLocked() const { return m_nLockCount > 0; }

    // Groups and items.
    Group* AddGroup(LPCWSTR lpszCaption, int nIconIndex = -1, int nID = 0);
    GroupItem* AddItem(Group* pGroup, int nType, LPCWSTR lpszCaption, int nIconIndex = -1, int nID = 0);
    // An item that hosts the application's child window (of the panel) at
    // the given size (width 0: the group's width). The window stays the
    // application's; the panel only places, shows and hides it.
    GroupItem* AddWindowItem(Group* pGroup, HWND hWnd, CSize size);
    HWND GetHostedWindow(const GroupItem& item) const;
    // Draws the picture that stands in for a hosted window while it is hidden.
    void DrawHostedWindowItem(CDC* pDC, const GroupItem& item, CRect rect);
    // The picture drawn in the bottom-right corner of the group's client
    // area when the list holds exactly one image (a copy is kept); null
    // takes it away.
    BOOL SetGroupClientPicture(Group* pGroup, HIMAGELIST hImageList);
    void DrawGroupClientPicture(CDC* pDC, const Group& group, CRect rect);
    // Takes the group or item out of its list and destroys it; the panel
    // forgets it first.
    void RemoveItem(PanelItem* pItem);
    kit::taskpanel::GroupList& GetGroups() { return m_groups; }
    int GetGroupCount() const { return m_groups.GetCount(); }
    Group* GetGroup(int nIndex) const { return m_groups.GetAt(nIndex); }
    Group* GetNextVisibleGroup(int nIndex, int nStep) const;
    BOOL IsAnyGroupDirty() const;
    // The group that holds the item (a group answers itself).
    Group* GetItemGroup(const PanelItem* pItem) const;

    virtual void ExpandGroup(Group* pGroup, BOOL bExpand);
    BOOL IsGroupExpanded(const Group* pGroup) const;

    // States.
    void SetHotItem(PanelItem* pItem);
    void SetFocusedItem(PanelItem* pItem, BOOL bKeyboardCue);
    PanelItem* GetHotItem() const { return m_refs.hot; }
    PanelItem* GetFocusedItem() const { return m_refs.focused; }
    PanelItem* GetPressedItem() const { return m_refs.pressed; }
    PanelItem* GetDraggedItem() const { return m_refs.dragged; }
    PanelItem* GetDropMarkItem() const { return m_refs.dropMark; }
    Group* GetActiveGroup() const { return m_refs.activeGroup; }
    void FocusPanel();
    BOOL IsFocusCueVisible() const;
    BOOL IsItemHot(const PanelItem& item) const { return item.enabled && m_refs.hot == &item; }
    BOOL IsItemFocused(const PanelItem& item) const { return item.enabled && m_refs.focused == &item; }
    BOOL IsItemPressed(const PanelItem& item) const { return m_refs.pressed == &item; }
    BOOL IsItemDragging(const PanelItem& item) const { return m_refs.dragged == &item; }
    BOOL IsItemDragOver(const PanelItem& item) const { return m_refs.dropMark == &item; }
    BOOL IsItemSelected(const GroupItem& item) const;
    void SetItemSelected(GroupItem& item, BOOL bSelected);
    BOOL IsAcceptFocus(const PanelItem* pItem) const;
    BOOL CanToggle(const Group& group) const;
    BOOL IsAllowDrop(const PanelItem& item) const;
    UINT GetAllowDrag(const PanelItem& item) const;
    // The group whose drop mark lies on one of its items.
    BOOL HasDropMark(const Group& group) const;

    // Geometry (client coordinates, scrolled).
    int GetScrollPosition() const;
    void SetScrollPosition(int nPos);
    void ScrollIntoView(CRect rect);
    void EnsureVisible(PanelItem* pItem);
    int GetContentHeight() const { return m_nContentHeight; }
    CRect GetItemRect(const PanelItem& item) const;
    // Unscrolled: the group's caption and client rectangles now and at rest.
    CRect GetCaptionRect(const Group& group, BOOL bTarget = FALSE) const;
    CRect GetGroupClientRect(const Group& group, BOOL bTarget = FALSE) const;
    int GetGroupScrollOffset(const Group& group) const;
    Group* HitTestGroup(CPoint point, BOOL* pbCaption = nullptr) const;
    PanelItem* HitTest(CPoint point, BOOL bGroupFallback = FALSE) const;
    CTaskPanelScrollButton* HitTestScrollButton(CPoint point);
    const CTaskPanelScrollButton& GetScrollButton(BOOL bUp) const { return bUp ? m_upButton : m_downButton; }

    // Settings.
    int GetBehaviour() const { return m_nBehaviour; }
    void SetBehaviour(int nBehaviour);
    int GetItemLayout() const;
    void SetItemLayout(int nLayout) { m_nItemLayout = nLayout; Relayout(FALSE); }
    int GetGroupItemLayout(const Group& group) const;
    int GetHotTrackStyle() const;
    void SetHotTrackStyle(int nStyle) { m_nHotTrackStyle = nStyle; Invalidate(); }
    CSize GetItemIconSize() const { return m_szItemIcon; }
    CSize GetGroupIconSize() const { return m_szGroupIcon; }
    CSize GetGroupItemIconSize(const Group& group) const;
    void SetIconSizes(CSize szItem, CSize szGroup);
    CRect GetMargins() const { return m_rcMargins; }
    void SetMargins(const RECT& rect) { m_rcMargins = rect; Relayout(FALSE); }
    int GetGroupSpacingSetting() const { return m_nGroupSpacing; }
    void SetGroupSpacing(int nSpacing) { m_nGroupSpacing = nSpacing; Relayout(FALSE); }
    void SetColumnMode(BOOL bColumns, int nWidth = 100);
    UINT GetPanelAllowDrag() const { return m_nAllowDrag; }
    void AllowDrag(UINT nFlags) { m_nAllowDrag = nFlags; }
    BOOL GetPanelAllowDrop() const { return m_bAllowDrop; }
    void AllowDrop(BOOL bAllow) { m_bAllowDrop = bAllow; }
    void SetAnimation(int nMode);
    BOOL IsAnimationOn() const { return m_bAnimation; }
    BOOL m_bGroupsTakeFocus = TRUE;
    BOOL m_bTakesFocus = TRUE;
    BOOL m_bSelectFocusedLink = FALSE;
    BOOL m_bFocusIsSelection = FALSE;

    CCommandIconStore* GetIconStore() const;

    // Notifications and actions.
    LRESULT NotifyOwner(WPARAM nCode, LPARAM lParam);
    virtual void OnClick(GroupItem* pItem);
    virtual void RenameItem(PanelItem* pItem, LPCWSTR lpszText);
    // Opens the in-place editor over the item's caption; FALSE without a
    // window or for an item not shown.
    BOOL EditItemCaption(PanelItem* pItem);
    // The editor's end: renames the item it was opened for, if that is still here.
    void RenameEditedItem(LPCWSTR lpszText);
    CKitTaskPanelEditItem* GetEditor() const { return m_pEditor.get(); }

    // Drag and drop.
    // A group or item leaves the panel: what points at it is forgotten (the
    // hot, focused, pressed ... items are cleared by the lists themselves).
    virtual void OnItemRemoved(const PanelItem* pItem);

    virtual void StartItemDrag(GroupItem* pItem);
    virtual void StartGroupDrag(Group* pGroup);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    // The hot item's tooltip as a screen tip, with its caption as title.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
    CScreenTipContext* GetScreenTips() const { return m_pTips.get(); }

    // Painting (the DC's origin already follows the scroll position).
    virtual void OnDraw(CDC* pDC);
    virtual void UpdateScrollBar();

    // Keyboard: the next object that can take the focus from pStart.
    PanelItem* GetNextFocusable(PanelItem* pStart, int nDirection, BOOL bSkipItems, BOOL bByRow) const;

    // Accessibility: groups and items numbered from 1 in display order (a
    // group, then its items); without an object the total count.
    long GetAccessibleIndex(const PanelItem* pItem) const;
    PanelItem* GetAccessibleObject(long nIndex) const;
    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

    // The placement record the portable layout reads.
    kit::taskpanel::PanelPlacement MakePlacement(BOOL bAnimate) const;
    kit::taskpanel::LayoutMetrics& GetLayoutMetrics();

    static const UINT_PTR kAnimationTimer = 200;
    static const UINT_PTR kScrollRepeatTimer = 202;
    static const UINT_PTR kHoverExpandTimer = 203;

protected:
    BOOL AnimateGroups(BOOL bDirtyOnly);
    void AnimateGroup(Group& group, int nSteps);
    // A group that reached its place after expanding or collapsing tells the owner.
    void SettleGroup(Group& group);
    void OnAnimationTimer();
    void ScrollGroupItems(Group& group, int nDelta);
    void PlaceHostedWindow(Group& group, GroupItem& item);
    void RepositionScrollButtons();
    void UpdateScrollButtons();
    void UpdateScrollButtonsHot(CPoint point);
    void TrackScrollButton(CTaskPanelScrollButton* pButton);
    // Dispatches pending paints, then waits for and returns the next message;
    // FALSE on WM_QUIT (posted again for the outer loop).
    BOOL PumpModalMessage(MSG& msg);
    void ToggleGroup(Group* pGroup);
    void OnGroupArrived(Group& group);
    int GetScrollLimit() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()

private:
    class DrawerMetrics;

    kit::taskpanel::PanelReferences m_refs;
    kit::taskpanel::GroupList m_groups;
    std::unique_ptr<CTaskPanelDrawer> m_pDrawer;
    int m_nStyle = 2;
    int m_nLockCount = 0;
    int m_nContentHeight = 0;
    int m_nScrollBarContentHeight = 0;
    CRect m_rcMargins;
    int m_nGroupSpacing;
    BOOL m_bScrollBarShown = FALSE;
    BOOL m_bAnimation = TRUE;
    int m_nAnimationMode = 0;
    HCURSOR m_hHandCursor = nullptr;
    UINT_PTR m_nAnimationTimer = 0;
    int m_nAnimationSteps = 10;
    std::unique_ptr<CCommandIconStore> m_pIconStore;
    BOOL m_bFocusGuard = FALSE;
    BOOL m_bFocusCue = FALSE;
    CSize m_szItemIcon{16, 16};
    CSize m_szGroupIcon{32, 32};
    CPoint m_ptPress{0, 0};
    UINT m_nAllowDrag = 0;
    BOOL m_bAllowDrop = TRUE;
    int m_nItemLayout = 0;
    BOOL m_bColumnMode = FALSE;
    int m_nColumnWidth = 100;
    int m_nHotTrackStyle = 0;
    int m_nBehaviour = 0;
    CTaskPanelDropTarget m_dropTarget;
    BOOL m_bHoverExpandTimer = FALSE;
    CTaskPanelScrollButton m_downButton{FALSE};
    CTaskPanelScrollButton m_upButton{TRUE};
    BOOL m_bScrollBarGuard = FALSE;
    BOOL m_bOleInitialized = FALSE;
    std::unique_ptr<DrawerMetrics> m_pMetrics;
    std::unique_ptr<CKitTaskPanelEditItem> m_pEditor;
    std::unique_ptr<CScreenTipContext> m_pTips;
    // The accessible objects clients asked for, one reference each.
    std::map<const PanelItem*, CTaskPanelObjectAccessible*> m_accessibles;
    CTaskPanelObjectAccessible* GetAccessibleFor(PanelItem* pItem);
    void DropAccessible(const PanelItem* pItem);
};
