// A dockable pane: an application window shown inside the docking layout
// under a title, looked up by its id. Panes are reference counted; the
// arrangement's node list holds one reference and the host one more for the
// active pane. The attached window belongs to the application: the pane
// moves, shows and hides it but never destroys it.
#pragma once

#include "CDockingNode.h"

class CCommandIcon;

// Pane options.
enum DockingPaneOption
{
    kPaneNoClose = 0x01,
    kPaneNoAutoHide = 0x02,
    kPaneNoFloat = 0x04,
    kPaneNoCaption = 0x08,
    kPaneCaptionMenu = 0x10,
};

// Asked of the attached window when the pane has no tab colour of its own.
constexpr UINT WM_DOCKINGPANE_GETTABCOLOR = 0x28B9;
// Tab colours from here to + 7 are automatic colour indices.
constexpr int kAutomaticTabColor = 0x1000000;

class CDockingPaneItem : public CCmdTarget, public CDockingNode
{
public:
    explicit CDockingPaneItem(CDockingArrangement* pArrangement);
    ~CDockingPaneItem() override;

    virtual void Focus();
    virtual CString GetTitle() const;
    virtual CString GetTabCaption() const;
    virtual CCommandIcon* GetIcon(int nWidth) const;
    virtual int GetTabColor() const;
    virtual void CopyFrom(const CDockingPaneItem* pOther);

    // Node.
    void GetTrackLimits(MINMAXINFO* pInfo) override;
    void PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout) override;
    void OnIdleUpdate() override;
    void RefreshNode(BOOL bShowPanes) override;
    BOOL IsAutoHidden() const override;
    void SetParentNode(CDockingNode* pParent) override;
    void StoreNodeProperties(kit::docking::StoredNode& stored) const override;
    BOOL LoadNodeProperties(const kit::docking::StoredNode& stored) override;

    // The application's window shown in the pane (null detaches it).
    void AttachWindow(HWND hWnd);
    HWND GetAttachedWindow() const { return m_hWndAttached; }
    BOOL HasFocus() const;
    void SetVisible(BOOL bShow);
    void Close();
    CWnd* GetContainerFrame() const;
    // TRUE when the pane is the one its group shows.
    BOOL IsSelectedInContainer() const;
    int GetEffectiveOptions() const;

    int m_nId = 0;
    int m_nIconId = -1;
    CString m_strTitle;  // title, optionally a newline and a shorter tab caption
    int m_nOptions = 0;
    int m_nTag = 0;
    int m_nMinTrackX = 0;
    int m_nMinTrackY = 0;
    int m_nMaxTrackX = 32000;
    int m_nMaxTrackY = 32000;
    int m_nTabColor = -1;
    int m_nHelpId = 0;

private:
    HWND m_hWndAttached = nullptr;
};

// The pane behind a node of type 0, or null.
CDockingPaneItem* AsPane(CDockingNode* pNode);
