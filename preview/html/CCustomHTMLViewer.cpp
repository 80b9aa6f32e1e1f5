#include "CCustomHTMLViewer.h"

#include "PreviewSession.h"

IMPLEMENT_DYNCREATE(CCustomHTMLViewer, CView)

BEGIN_MESSAGE_MAP(CCustomHTMLViewer, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

void DestroyStrayPreviewWindows() {}

CCustomHTMLViewer::~CCustomHTMLViewer()
{
    DestroyStrayPreviewWindows();
    m_pane.Close();
}

int CCustomHTMLViewer::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    // Without a file in preview the view stays empty; that is no failure.
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 0;
    m_pane.Open(m_hWnd, preview::FileUrlOf(std::wstring(pSession->PreviewFilePath.GetString())));
    return 0;
}

void CCustomHTMLViewer::OnSize(UINT nType, int cx, int cy)
{
    m_pane.Resize(cx, cy);
    CView::OnSize(nType, cx, cy);
}
