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

INT_PTR CPropertySheet::DoModal()
{
    std::vector<HPROPSHEETPAGE> pages;
    for (CPropertyPage* pPage : m_pages)
        pages.push_back(::CreatePropertySheetPageW(&pPage->m_psp));
    m_psh.hwndParent = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(pages.size());
    m_psh.phpage = pages.data();
    g_pSheetBeingMade = this;
    INT_PTR result = ::PropertySheetW(&m_psh);
    g_pSheetBeingMade = nullptr;
    AfxUnhookWindowCreate();
    return result > 0 ? IDOK : IDCANCEL;
}
