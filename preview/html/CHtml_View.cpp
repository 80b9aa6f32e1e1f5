#include "CHtml_View.h"

#include "PreviewSession.h"

IMPLEMENT_DYNCREATE(CHtml_View, CHtmlView)

BEGIN_MESSAGE_MAP(CHtml_View, CHtmlView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

// The web browser control's class id.
constexpr wchar_t kWebBrowserClass[] = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";

} // namespace

bool IsOwnRendererExtension(const CString& strExtension)
{
    for (LPCTSTR extension : {L".htm", L".html", L".gif"})
        if (strExtension == extension)
            return true;
    return false;
}

CHtml_View::~CHtml_View()
{
    m_pane.Close();
    delete m_pPanel;
}

BOOL CHtml_View::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    RECT client;
    GetClientRect(&client);
    if (!IsBrowserEngineAvailable() ||
        !m_browser.CreateControl(kWebBrowserClass, nullptr, WS_VISIBLE, client, this, AFX_IDW_PANE_FIRST))
    {
        OpenOwnRenderer();
        return TRUE;
    }
    // The control shows the file in preview as soon as it exists.
    if (CPreviewSession* pSession = FindPreviewSession(this))
        Navigate2(pSession->PreviewFilePath);
    return TRUE;
}

int CHtml_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_pPanel = new CHtmlViewPanelDlg;
    if (m_pPanel->CreatePanel(this))
        m_pPanel->ShowWindow(SW_SHOW);
    return 0;
}

void CHtml_View::OpenOwnRenderer()
{
    // The panel would lie over the renderer's canvas.
    if (m_pPanel != nullptr && m_pPanel->GetSafeHwnd() != nullptr)
        m_pPanel->DestroyWindow();
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return;
    if (!IsOwnRendererExtension(PreviewPathExtension(pSession->PreviewFilePath)))
    {
        pSession->ReportMissingComponent(L"Showing this file needs the web browser control, which is not installed.");
        return;
    }
    m_pane.Open(m_hWnd, preview::FileUrlOf(std::wstring(pSession->PreviewFilePath.GetString())));
    CRect client;
    GetClientRect(&client);
    m_pane.Resize(client.Width(), client.Height());
}

void CHtml_View::OnSize(UINT nType, int cx, int cy)
{
    CHtmlView::OnSize(nType, cx, cy);
    if (m_pane.Browser() != nullptr)
    {
        m_pane.Resize(cx, cy);
        return;
    }
    if (m_pPanel != nullptr && m_pPanel->GetSafeHwnd() != nullptr)
    {
        CRect client;
        GetClientRect(&client);
        m_pPanel->MoveWindow(0, 0, client.Width() - 8, client.Height() - 8);
        m_pPanel->SetFocus();
    }
}
