// The MDI tab workspace: takes over the MDI client of an MDI frame and shows
// the frame's children as tabs. With grouping the client area is divided
// into tab groups side by side or stacked, with splitters between them;
// every child loses its caption and frame and fills the area of its group
// while its tab is selected. Tabs move between groups by command (previous,
// next, new horizontal or vertical group) or by dragging them onto another
// group, and the splitters are dragged with the mouse.
#pragma once

#include <vector>

#include "CTabClientGroup.h"

class CTabStripDrawer;

// Commands of the workspace (their prompts are in the toolkit's strings).
constexpr UINT ID_TABGROUP_MOVE_PREVIOUS = 9420;
constexpr UINT ID_TABGROUP_MOVE_NEXT = 9421;
constexpr UINT ID_TABGROUP_NEW_HORIZONTAL = 9422;
constexpr UINT ID_TABGROUP_NEW_VERTICAL = 9423;

// The arrangement of the groups as it is stored: the orientation, and per
// group its size, the keys of its children's tabs in order and the key of
// the selected one.
struct CTabGroupArrangement
{
    struct Group
    {
        double dSize = 0;
        std::vector<CString> tabs;
        CString selected;
    };
    int nOrientation = 0;
    std::vector<Group> groups;

    bool operator==(const CTabGroupArrangement& other) const;
    // In the registry under hKey\pszSection; FALSE when it cannot be
    // written, or when what is there is missing or malformed (then
    // nothing is read).
    BOOL Write(HKEY hKey, LPCTSTR pszSection) const;
    BOOL Read(HKEY hKey, LPCTSTR pszSection);
};

class CKitTabClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CKitTabClientWnd)
public:
    CKitTabClientWnd();
    ~CKitTabClientWnd() override;

    // Subclasses the MDI client of pFrame; FALSE when the frame has none or
    // it is taken already.
    BOOL AttachToFrame(CMDIFrameWnd* pFrame, BOOL bGrouping = TRUE);

    int GetTabGroupCount() const { return static_cast<int>(m_groups.size()); }
    CTabClientGroup* GetTabGroupAt(int nIndex) const { return m_groups[static_cast<size_t>(nIndex)]; }
    int IndexOfGroup(const CTabStrip* pGroup) const;
    CTabStripDrawer* GetDrawer() const { return m_pDrawer; }
    CMDIFrameWnd* GetFrame() const { return m_pFrame; }
    BOOL IsGrouping() const { return m_bGrouping; }
    int GetOrientation() const { return m_nOrientation; }
    int GetSplitterWidth() const { return m_nSplitterWidth; }

    // The tab of hWnd in the first group that has one; the group holding a tab.
    CKitTabManagerItem* FindTabItem(HWND hWnd) const;
    CTabClientGroup* GroupOfItem(const CKitTabManagerItem* pItem) const;
    // The group whose area holds the point (workspace client coordinates).
    CTabClientGroup* GroupFromPoint(CPoint point) const;
    CWnd* GetActiveChild() const;
    // Shows and activates the child of a tab.
    void ActivateTabChild(CKitTabManagerItem* pItem);
    CPoint ScreenToWorkspace(CPoint point) const;

    void RelayoutTabGroups(BOOL bRecalcFrame);
    BOOL IsTabGroupCommandEnabled(UINT nID, CKitTabManagerItem** ppItem) const;
    void OnTabGroupCommand(UINT nID);
    void OnUpdateTabGroupCommand(CCmdUI* pCmdUI);
    // Mode 2: into an existing group; 3: into a new group after its own,
    // stacked; 4: the same side by side.
    void MoveTabToGroup(CKitTabManagerItem* pItem, CTabClientGroup* pGroup, int nMode);
    void TrackSplitter(int nIndex, CPoint point);
    void ResizeGroups(int a, int b, const CRect& rectSplitter, const CRect& rectLimits);
    void StoreGroupSizes();

    // The stored arrangement: what the groups hold now, and the groups
    // rebuilt from one (children it does not name stay in the first group).
    CTabGroupArrangement GetArrangement() const;
    void SetArrangement(const CTabGroupArrangement& arrangement);
    // The key that names a child in the arrangement: its window text.
    virtual CString GetChildKey(HWND hWndChild) const;

    virtual void Refresh();
    virtual void DrawBackground(CDC* pDC, const CRect& rect);
    // Lays the frame out again (its command bars with it).
    virtual void RelayoutFrame();
    virtual CTabClientGroup* AddTabGroup(int nIndex);

    // Settings.
    BOOL m_bOutlineDrag = FALSE;
    BOOL m_bKeepActivationOnDestroy = FALSE;
    BOOL m_bNoRedrawSuppression = FALSE;
    HCURSOR m_hCursorSideBySide = nullptr;
    HCURSOR m_hCursorStacked = nullptr;

    // CTabClientGroup asks.
    void LayoutGroupStrip(CTabClientGroup* pGroup);
    void SetTabClick(BOOL bClick) { m_bTabClick = bClick; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    void SyncChildren();
    void RemoveEmptyGroups();
    void PlaceGroups();
    void StripChildFrame(HWND hWndChild);
    void OnPaintWorkspace();
    void OnLButtonDownWorkspace(CPoint point);
    void DestroyGroups();

    std::vector<CTabClientGroup*> m_groups;
    CMDIFrameWnd* m_pFrame = nullptr;
    BOOL m_bLayoutDirty = FALSE;
    BOOL m_bMoving = FALSE;
    BOOL m_bTabClick = FALSE;
    BOOL m_bRelayoutGuard = FALSE;
    BOOL m_bInRefresh = FALSE;
    CTabStripDrawer* m_pDrawer = nullptr;
    int m_nOrientation = 0;
    BOOL m_bGrouping = TRUE;
    int m_nSplitterWidth = 4;
    BOOL m_bPendingClick = FALSE;
    // The group of the child that was active last: new children join it.
    CTabClientGroup* m_pActiveGroup = nullptr;
    HWND m_hWndLastActive = nullptr;
};
