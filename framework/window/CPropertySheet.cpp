#include "CPropertySheet.h"

#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEW(nIDTemplate);
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.pfnCallback = PageCallback;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

// Called just before the page's window is made: the hook binds it.
UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEW ppsp)
{
    if (message == PSPCB_CREATE)
        AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(ppsp->lParam));
    return TRUE;
}

BOOL CPropertyPage::OnApply()
{
    return TRUE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = ::GetParent(m_hWnd);
    ::SendMessageW(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE; // TRUE keeps the page
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    *pResult = result;
    return TRUE;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_pParentWnd(pParentWnd)
{
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_USECALLBACK | PSH_NOAPPLYNOW;
    m_psh.nStartPage = iSelectPage;
    m_psh.pfnCallback = SheetCallback;
}

namespace
{
CPropertySheet* g_pSheetBeingMade = nullptr;
}

// Called just before the sheet's window is made.
int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM)
{
    if (message == PSCB_PRECREATE && g_pSheetBeingMade != nullptr)
    {
        AfxHookWindowCreate(g_pSheetBeingMade);
        g_pSheetBeingMade = nullptr;
    }
    return 0;
}

std::vector<HPROPSHEETPAGE> CPropertySheet::PrepareHeader()
{
    std::vector<HPROPSHEETPAGE> pages;
    for (CPropertyPage* pPage : m_pages)
        pages.push_back(::CreatePropertySheetPageW(&pPage->m_psp));
    m_psh.hwndParent = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(pages.size());
    m_psh.phpage = pages.data();
    return pages;
}

INT_PTR CPropertySheet::DoModal()
{
    m_psh.dwFlags &= ~PSH_MODELESS;
    m_bModeless = FALSE;
    std::vector<HPROPSHEETPAGE> pages = PrepareHeader();
    g_pSheetBeingMade = this;
    INT_PTR result = ::PropertySheetW(&m_psh);
    g_pSheetBeingMade = nullptr;
    AfxUnhookWindowCreate();
    return result > 0 ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    m_psh.dwFlags |= PSH_MODELESS;
    m_bModeless = TRUE;
    std::vector<HPROPSHEETPAGE> pages = PrepareHeader();
    g_pSheetBeingMade = this;
    const INT_PTR result = ::PropertySheetW(&m_psh);
    g_pSheetBeingMade = nullptr;
    AfxUnhookWindowCreate();
    if (result == 0 || result == -1 || m_hWnd == nullptr)
    {
        // The system destroys the pages it could not put into a sheet.
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
            DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hPage = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (CPropertyPage* pPage : m_pages)
    {
        if (pPage->m_hWnd == hPage && hPage != nullptr)
            return pPage;
    }
    return nullptr;
}

namespace
{
// Posted by a modeless sheet to itself after a button or the close box may
// have ended it: the window is destroyed from the queue, not from inside the
// button's own message.
UINT ClosedCheckMessage()
{
    static const UINT s_nMessage = ::RegisterWindowMessageW(L"PelmoPropertySheetClosedCheck");
    return s_nMessage;
}
}  // namespace

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    // A modeless sheet runs in its owner's loop: Tab, the mnemonics and
    // Ctrl+Tab reach the pages only through the sheet's dialog handling.
    if (m_bModeless && m_hWnd != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        ::SendMessageW(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bModeless && message == ClosedCheckMessage())
    {
        if (::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0)
            DestroyWindow();
        return 0;
    }
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (m_bModeless && m_hWnd != nullptr &&
        (message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_CLOSE))
        ::PostMessageW(m_hWnd, ClosedCheckMessage(), 0, 0);
    return result;
}
