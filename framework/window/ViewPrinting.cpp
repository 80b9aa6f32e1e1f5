// The view's printing: the print dialog, the page loop and the printer
// set-up the application keeps.
#include "CView.h"

#include "CDC.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CWinApp.h"

CPrintInfo::CPrintInfo()
{
    m_pd = PRINTDLGW{};
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_RETURNDC;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    PRINTDLGW& pd = pInfo->m_pd;
    pd.hwndOwner = CWnd::GetSafeOwner(this)->GetSafeHwnd();
    if (pApp != nullptr)
    {
        pd.hDevMode = pApp->m_hDevMode;
        pd.hDevNames = pApp->m_hDevNames;
    }
    if (pInfo->m_bDirect)
        pd.Flags |= PD_RETURNDEFAULT;
    // The default printer's answer hands back new set-up blocks; ours stay.
    HGLOBAL hOwnMode = pd.hDevMode, hOwnNames = pd.hDevNames;
    if (pInfo->m_bDirect)
        pd.hDevMode = pd.hDevNames = nullptr;
    if (!::PrintDlgW(&pd) || pd.hDC == nullptr)
        return FALSE;
    if (pInfo->m_bDirect)
    {
        if (pd.hDevMode != nullptr)
            ::GlobalFree(pd.hDevMode);
        if (pd.hDevNames != nullptr)
            ::GlobalFree(pd.hDevNames);
        pd.hDevMode = hOwnMode;
        pd.hDevNames = hOwnNames;
    }
    else if (pApp != nullptr)
    {
        pApp->m_hDevMode = pd.hDevMode;
        pApp->m_hDevNames = pd.hDevNames;
    }
    return TRUE;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    info.m_bDirect = pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info))
        return;

    CDC dc;
    dc.Attach(info.m_pd.hDC);
    info.m_pd.hDC = nullptr; // the CDC deletes it now
    dc.m_hAttribDC = dc.m_hDC;
    dc.m_bPrinting = TRUE;

    CString title = m_pDocument != nullptr ? m_pDocument->GetTitle() : CString();
    DOCINFOW docInfo{};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = title;
    if (dc.StartDoc(&docInfo) <= 0)
    {
        AfxMessageBox(L"The document could not be printed.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(&dc, &info);
    bool failed = false;
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage)
    {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (dc.StartPage() <= 0)
        {
            failed = true;
            break;
        }
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        ::DPtoLP(dc.m_hDC, reinterpret_cast<LPPOINT>(&info.m_rectDraw), 2);
        OnPrint(&dc, &info);
        if (dc.EndPage() <= 0)
        {
            failed = true;
            break;
        }
    }
    OnEndPrinting(&dc, &info);
    if (failed)
    {
        dc.AbortDoc();
        AfxMessageBox(L"The document could not be printed.", MB_OK | MB_ICONEXCLAMATION);
    }
    else
    {
        dc.EndDoc();
    }
}

void CView::OnFilePrintPreview()
{
    AfxMessageBox(L"Print preview is not available.", MB_OK | MB_ICONINFORMATION);
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_PRINTSETUP;
    pd.hwndOwner = CWnd::GetSafeOwner()->GetSafeHwnd();
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    if (::PrintDlgW(&pd))
    {
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
}
