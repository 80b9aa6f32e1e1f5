// CMiniFrameWnd: a small floating frame with a tool-window caption, owned
// by a frame. With MFS_SYNCACTIVE its caption shares the owner frame's
// activation: it looks active whenever the frame's family is active, and
// activating it keeps the owner looking active.
#pragma once

#include "CFrameWnd.h"

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    // pParentWnd is the owner. The MFS_* bits stay in the window's style;
    // MFS_THICKFRAME gives a sizing border.
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);
    using CWnd::CreateEx;

    // The active look of the caption (with MFS_SYNCACTIVE, the owner's).
    BOOL m_bActive = FALSE;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    BOOL IsSynced() const { return (GetStyle() & MFS_SYNCACTIVE) != 0; }
    CFrameWnd* GetOwnerFrame() const;
    void ShowCaptionActive(BOOL bActive);
};
