#include "CDialog.h"

#include "../core/Exceptions.h"
#include "DataExchange.h"
#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// The framework procedure in front of the dialog class does the work; the
// dialog procedure only asks for the default dialog behaviour.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    m_lpszTemplateName = IS_INTRESOURCE(lpszTemplateName) ? lpszTemplateName : _wcsdup(lpszTemplateName);
}

CDialog::~CDialog()
{
    if (m_lpszTemplateName != nullptr && !IS_INTRESOURCE(m_lpszTemplateName))
        free(const_cast<LPWSTR>(m_lpszTemplateName));
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

LPCDLGTEMPLATE CDialog::LoadTemplate() const
{
    if (m_lpDialogTemplate != nullptr)
        return m_lpDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    if (hResource == nullptr)
        return nullptr;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, hResource)));
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent)
{
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), lpTemplate, hWndParent, AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == nullptr && m_hWnd != nullptr)
        Detach();
    return hWnd != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (m_lpszTemplateName == nullptr)
        m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == nullptr)
        return FALSE;
    auto* lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, hResource)));
    return lpTemplate != nullptr && CreateFromTemplate(lpTemplate, pParentWnd->GetSafeHwnd());
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, pParentWnd->GetSafeHwnd());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    if (lpTemplate == nullptr)
        return -1;

    // The owner is the top-level window of the parent (or of the main
    // window); it stays disabled while the dialog runs.
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd);
    HWND hWndOwner = pOwner->GetSafeHwnd();
    bool enableOwner = false;
    if (hWndOwner != nullptr && hWndOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        enableOwner = true;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(lpTemplate, hWndOwner))
    {
        if (m_nFlags & WF_CONTINUEMODAL)
        {
            ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        if (m_hWnd != nullptr)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    if (enableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        // A dialog that OnInitDialog neither moved nor showed opens centred on
        // its owner (the work area when there is none), not where the template
        // happened to put it.
        RECT before{};
        ::GetWindowRect(m_hWnd, &before);
        const bool wasVisible = (GetStyle() & WS_VISIBLE) != 0;
        BOOL result = OnInitDialog();
        RECT after{};
        if (m_hWnd != nullptr && ::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) && !wasVisible &&
            (GetStyle() & (WS_CHILD | WS_VISIBLE)) == 0)
            CenterWindow();
        return result;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog()
{
    // Combo and list contents of the template first, then the members.
    if (m_lpszTemplateName != nullptr)
        ExecuteDlgInit(m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    return AfxExchangeData(this, bSaveAndValidate);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessageW(m_hWnd, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}
