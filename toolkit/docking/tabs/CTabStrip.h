// A row of tabs embedded in an owner window (a tabbed group, a side strip,
// the MDI tab workspace). The owner forwards mouse, key and tooltip events;
// the strip keeps the tabs, the selection, the hot tab, the scroll offset
// and the navigate buttons, and its drawer lays the tabs out and paints them.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "CKitTabManagerItem.h"
#include "CTabStripButton.h"

class CTabStripDrawer;

// The rows of a multi-row strip: first and last tab of each.
struct CTabStripRows
{
    struct Row
    {
        int first = 0;
        int last = -1;
    };
    std::vector<Row> rows{Row{}};
};

class CTabStrip
{
public:
    CTabStrip();
    virtual ~CTabStrip();
    CTabStrip(const CTabStrip&) = delete;
    CTabStrip& operator=(const CTabStrip&) = delete;

    virtual void OnDrawerChanged() { Relayout(); }
    virtual void Relayout() = 0;
    virtual CString GetItemCaption(const CKitTabManagerItem* pItem) const { return pItem->m_strCaption; }
    virtual DWORD_PTR GetItemData(const CKitTabManagerItem* pItem) const { return pItem->m_dwData; }
    // Automatic colour indexes mapped to their colours.
    virtual COLORREF GetItemColor(const CKitTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CKitTabManagerItem* pItem) const { return pItem->m_strTooltip; }
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CKitTabManagerItem* pItem);
    virtual void ActivateItem(CKitTabManagerItem* pItem);
    virtual void GetTabSizes(SIZE* pFixed, SIZE* pMinimum, SIZE* pMaximum) const;
    virtual CTabStripDrawer* GetDrawer() const = 0;
    virtual void RedrawOwner() = 0;
    virtual BOOL IsReorderAllowed() const { return m_bReorderAllowed; }
    virtual void SetReorderAllowed(BOOL bAllowed) { m_bReorderAllowed = bAllowed; }
    virtual BOOL HasFrame() const;
    // TRUE when the tab has an icon; with bDraw it is drawn at the point.
    virtual BOOL DrawItemIcon(CDC* pDC, CPoint point, CKitTabManagerItem* pItem, BOOL bDraw, SIZE* pSize) = 0;
    virtual int GetPosition() const;
    virtual void Scroll(BOOL bForwards);
    virtual BOOL IsButtonNeeded(const CTabStripButton* pButton) const;
    virtual void OnItemClick(CKitTabManagerItem* pItem) { SetSelectedItem(pItem); }
    virtual void TrackReorder(CWnd* pWnd, int x, int y, CKitTabManagerItem* pItem);
    virtual void OnNavigateButton(int /*nKind*/) {}
    virtual BOOL IsMouseTrackingOff() const { return FALSE; }
    virtual BOOL OnKeyDown(CWnd* pWnd, UINT nKey);
    virtual BOOL HasFocus() const { return FALSE; }
    // The window the strip is drawn in, for fills that continue across it.
    virtual CWnd* GetOwnerWindow() const { return nullptr; }

    // A null tab makes a new one; an index out of range appends.
    CKitTabManagerItem* InsertItem(int nIndex, CKitTabManagerItem* pItem = nullptr);
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();
    void SelectNearest(int nIndex);
    CKitTabManagerItem* HitTest(int x, int y) const;
    BOOL OnLButtonDown(CWnd* pWnd, int x, int y, BOOL bButtonsOnly);
    void OnMouseMove(CWnd* pWnd, int x, int y);
    INT_PTR OnToolHitTest(CWnd* pWnd, CKitTabManagerItem* pItem, TOOLINFOW* pTI) const;
    void SetScrollOffset(int nOffset);
    int GetScrollOffset() const { return m_nScrollOffset; }
    int GetTotalTabLength() const;
    void EnsureVisible(CKitTabManagerItem* pItem);
    CTabStripButton* FindButton(int nKind) const;
    CKitTabManagerItem* FindNextNavigable(int nIndex, int nStep) const;
    int GetLayout() const;

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CKitTabManagerItem* GetItem(int nIndex) const;
    CKitTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CKitTabManagerItem* GetHotItem() const { return m_pHot; }
    BOOL IsHorizontal() const;

    BOOL m_bActive = TRUE;
    CSize m_sizeFixed{70, 18};
    CSize m_sizeMinimum{0, 0};
    CSize m_sizeMaximum{0, 0};
    CRect m_rectHeader;
    CRect m_rectControl;
    CRect m_rectClient;
    std::array<std::unique_ptr<CTabStripButton>, 3> m_buttons;
    CTabStripRows m_rows;
    int m_nScrollStep = 20;

protected:
    CKitTabManagerItem* m_pSelected = nullptr;
    CKitTabManagerItem* m_pHot = nullptr;
    int m_nScrollOffset = 0;
    BOOL m_bReorderAllowed = TRUE;
    std::vector<CKitTabManagerItem*> m_items;
};

// The colour of an automatic index (0x1000000 to 0x1000007); any other
// value is a colour already.
COLORREF GetAutoTabColor(COLORREF crColor);
