// The small popup frame that holds panes floating outside the main frame. It
// is a node of the layout tree and owns one split (its top container) laid
// over its client area. With the host's themed floating frames its caption
// is drawn by the docking style, with close, roll-up and menu buttons; in
// roll-up mode the frame shrinks to its caption when the mouse leaves it and
// grows back when the mouse returns. Dragging the caption hands the contents
// to the host's drag tracker; a double click docks them back.
#pragma once

#include "CDockingNode.h"
#include "window/CMiniFrameWnd.h"

class CDockingPaneItem;
class CDockingSplitNode;

class CKitDockingPaneMiniWnd : public CMiniFrameWnd, public CDockingNode
{
public:
    explicit CKitDockingPaneMiniWnd(CDockingArrangement* pArrangement);
    ~CKitDockingPaneMiniWnd() override;

    // Node.
    void InvalidateNode() override;
    void OnChildrenChanged(CDockingNode* pChild) override;
    void RefreshNode(BOOL bShowPanes) override;
    void StoreNodeProperties(kit::docking::StoredNode& stored) const override;
    BOOL LoadNodeProperties(const kit::docking::StoredNode& stored) override;
    void RemoveChildNode(CDockingNode* pChild) override;
    BOOL IsCaptionButtonVisible(CDockingCaptionButton* pButton) const override;

    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Floats the node (a bare pane gets a group of its own) over the screen
    // rectangle.
    void CreateFloating(CDockingNode* pNode, const CRect& rect);
    virtual BOOL CreateFloatingWindow(CRect rect);
    // Makes the window of a loaded node and lets its tree adopt it.
    BOOL CreateLoadedWindow();
    virtual void OnCaptionButtonClick(CDockingCaptionButton* pButton);
    virtual BOOL OnCaptionButtonDown(CDockingCaptionButton* pButton);
    void RefreshFrame();
    void ExpandRolledUp();
    void ToggleRollUp();

    CDockingPaneItem* GetSinglePane() const;
    BOOL IsThemedFrame() const;
    CDockingSplitNode* GetTopContainer() const { return m_pTopContainer; }
    BOOL IsRolledUpMode() const { return m_bRollUp; }
    int GetRollUpStep() const { return m_nRollUpStep; }
    int GetExpandedHeight() const { return m_nExpandedHeight; }
    // The caption band in window coordinates (themed frames).
    CRect GetCaptionBand() const;

    // The tips of the themed caption's buttons (the point in client
    // coordinates: the caption lies above the client origin).
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    int CaptionHeight() const;
    void OnClose();
    void OnNcLButtonDown(UINT nHit, CPoint point);
    void OnNcLButtonDblClk(UINT nHit);
    void OnNcRButtonDown(UINT nHit, CPoint point);
    void OnNcCalcSize(NCCALCSIZE_PARAMS* pParams);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcPaint();
    void OnNcMouseMove(CPoint point);
    void OnTimer(UINT_PTR nId);
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    void OnIdleUpdate();
    void BeginRollUp();
    void ApplyRollUpStep(BOOL bBringToFront);
    CPoint ToWindowPoint(CPoint screen) const;
    // Where the client area's origin lies in window coordinates.
    CPoint ClientOriginInWindow() const;

    CDockingSplitNode* m_pTopContainer = nullptr;
    BOOL m_bCloseEnabled = TRUE;
    int m_nExpandedHeight = 0;
    int m_nRollUpSteps = 8;
    int m_nRollUpStep = 8;
    int m_nRollUpCountdown = 0;
    BOOL m_bRollUp = FALSE;
    BOOL m_bExpandedNow = FALSE;
    BOOL m_bAnimating = FALSE;
};

CKitDockingPaneMiniWnd* AsFloatingWindow(CDockingNode* pNode);
