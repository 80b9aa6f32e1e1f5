#include "CMyMedia.h"

#include "PreviewSession.h"
#include "ViewerWindows.h"

IMPLEMENT_DYNCREATE(CMyMedia, CView)

BEGIN_MESSAGE_MAP(CMyMedia, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int CMyMedia::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 1;
    if (!m_player.Create(L"aa", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(40, 200, 100, 200), this, kPlayerId))
    {
        pSession->ReportMissingComponent(L"Sound and video files are played by Windows Media Player, "
                                         L"which is not installed.");
        return 1;
    }
    try
    {
        m_player.SetURL(pSession->PreviewFilePath);
        m_player.GetOpenState();
        m_player.GetPlayState();
        m_player.GetStatus();
    }
    catch (CException* e)
    {
        e->Delete();
        pSession->ReportFailure(L"Windows Media Player could not open the file.");
    }
    return 1;
}

void CMyMedia::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, &m_player);
}

void CMyMedia::OnDestroy()
{
    if (m_player.GetSafeHwnd() != nullptr)
    {
        try
        {
            m_player.close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    CView::OnDestroy();
}
