// The MDI tab gallery: a small multi-document frame whose client is taken
// over by the tab workspace, with document windows that paint themselves in
// a colour of their own so that a test can tell which one is shown.
#pragma once

#include "CKitTabClientWnd.h"

class CMdiGalleryDocument : public CMDIChildWnd
{
public:
    explicit CMdiGalleryDocument(COLORREF crFill) : m_crFill(crFill) {}
    COLORREF m_crFill;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CMdiTabGalleryFrame : public CMDIFrameWnd
{
public:
    // A frame at the given screen rectangle, shown; null when it cannot be
    // made. WS_EX_LAYOUTRTL makes a mirrored one.
    static CMdiTabGalleryFrame* Create(const CRect& rect, LPCTSTR pszTitle, DWORD dwExStyle = 0);
    // A document with the title and fill colour, made through the client.
    CMdiGalleryDocument* AddDocument(LPCTSTR pszTitle, COLORREF crFill);
    // The application's idle pass for this frame: the workspace notices
    // activation changes and pending clicks there.
    void RunIdle();

    CKitTabClientWnd m_workspace;

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // The workspace's tab-group commands come through the frame.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
};
