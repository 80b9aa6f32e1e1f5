#include "CAviView.h"

#include "PreviewSession.h"

#include <vfw.h>

IMPLEMENT_DYNCREATE(CAviView, CView)

BEGIN_MESSAGE_MAP(CAviView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
constexpr UINT kMciPlay = 0x806;
constexpr UINT kMciStop = 0x808;
}  // namespace

CAviView::~CAviView()
{
    if (m_hPlayer != nullptr && ::IsWindow(m_hPlayer))
    {
        ::SendMessageW(m_hPlayer, kMciStop, 0, 0);
        ::SendMessageW(m_hPlayer, WM_CLOSE, 0, 0);
    }
}

int CAviView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 1;
    // The MCI window sizes itself to the film and shows its own state when it cannot
    // play it; it never stops the program with an error box of its own.
    m_hPlayer = ::MCIWndCreateW(GetSafeHwnd(), AfxGetInstanceHandle(),
                                WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU | MCIWNDF_NOERRORDLG,
                                pSession->PreviewFilePath);
    if (m_hPlayer != nullptr)
        ::SendMessageW(m_hPlayer, kMciPlay, 0, 0);
    else
        pSession->ReportMissingComponent(L"Films are played through the MCI window, which is not available.");
    return 1;
}
