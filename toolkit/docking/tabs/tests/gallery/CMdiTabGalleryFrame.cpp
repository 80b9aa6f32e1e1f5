#include "CMdiTabGalleryFrame.h"

#include "window/AfxMessages.h"

BEGIN_MESSAGE_MAP(CMdiGalleryDocument, CMDIChildWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CMdiGalleryDocument::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, m_crFill);
    CString title;
    GetWindowText(title);
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::DrawTextW(dc.m_hDC, title, title.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

BOOL CMdiGalleryDocument::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

CMdiTabGalleryFrame* CMdiTabGalleryFrame::Create(const CRect& rect, LPCTSTR pszTitle, DWORD dwExStyle)
{
    auto* pFrame = new CMdiTabGalleryFrame;
    if (!pFrame->CFrameWnd::Create(nullptr, pszTitle, WS_OVERLAPPEDWINDOW, rect, nullptr, nullptr, dwExStyle))
        return nullptr; // deleted itself
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return pFrame;
}

BOOL CMdiTabGalleryFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    return m_workspace.AttachToFrame(this, TRUE);
}

BOOL CMdiTabGalleryFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_workspace.m_hWnd != nullptr && m_workspace.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CMdiGalleryDocument* CMdiTabGalleryFrame::AddDocument(LPCTSTR pszTitle, COLORREF crFill)
{
    auto* pDocument = new CMdiGalleryDocument(crFill);
    // Redrawn whole when resized, so that the title stays centred.
    static const LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                        ::LoadCursorW(nullptr, IDC_ARROW));
    if (!pDocument->Create(pszClass, pszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), this))
        return nullptr;
    return pDocument;
}

void CMdiTabGalleryFrame::RunIdle()
{
    if (m_hWnd == nullptr)
        return;
    SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}
