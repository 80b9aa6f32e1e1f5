#include "CNewToolBarDlg.h"

#include "CKitCommandBars.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"
#include "window/CWinApp.h"

namespace
{
constexpr UINT kCustomNameFormat = 9330;   // "Custom %d"
constexpr UINT kBlankName = 9331;
constexpr UINT kNoFreeId = 9332;
constexpr UINT kNameTaken = 9333;          // "A toolbar named '%s' already exists. ..."
constexpr UINT kRenameTitle = 9334;

CString ToolkitString(UINT nId)
{
    CString str;
    GetToolkitResources()->LoadString(str, nId);
    return str;
}
}  // namespace

CNewToolBarDlg::CNewToolBarDlg(CWnd* pParent, CKitCommandBars* pCommandBars, CKitCommandBar* pBar)
    : CDialog(static_cast<UINT>(IDD_KIT_NEW_TOOLBAR), pParent), m_pCommandBars(pCommandBars), m_pBar(pBar)
{
}

INT_PTR CNewToolBarDlg::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = GetToolkitResources()->LoadDialogTemplate(IDD_KIT_NEW_TOOLBAR);
    if (lpTemplate == nullptr)
        return -1;
    InitModalIndirect(lpTemplate, m_pParentWnd);
    return CDialog::DoModal();
}

BOOL CNewToolBarDlg::IsNameTaken(CKitCommandBars* pCommandBars, const CString& strName, CKitCommandBar* pExcept)
{
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
    {
        CKitCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar != pExcept && pBar->GetTitle() == strName)
            return TRUE;
    }
    return FALSE;
}

CString CNewToolBarDlg::ProposeName(CKitCommandBars* pCommandBars)
{
    const CString strFormat = ToolkitString(kCustomNameFormat);
    CString strName;
    // Bounded: n bars can block at most n numbers.
    for (int n = 1; n <= pCommandBars->GetCount() + 1; ++n)
    {
        strName.Format(strFormat, n);
        if (!IsNameTaken(pCommandBars, strName, nullptr))
            break;
    }
    return strName;
}

int CNewToolBarDlg::FindFreeBarId(CKitCommandBars* pCommandBars)
{
    for (int nId = kFirstBarId; nId <= kLastBarId; ++nId)
    {
        if (pCommandBars->FindBarById(nId) == nullptr)
            return nId;
    }
    return 0;
}

BOOL CNewToolBarDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pBar != nullptr)
    {
        m_strName = m_pBar->GetTitle();
        SetWindowText(ToolkitString(kRenameTitle));
    }
    else
    {
        m_strName = ProposeName(m_pCommandBars);
    }
    SetDlgItemText(IDC_KIT_TOOLBAR_NAME, m_strName);
    if (CWnd* pEdit = GetDlgItem(IDC_KIT_TOOLBAR_NAME))
    {
        pEdit->SendMessage(EM_SETSEL, 0, -1);
        GotoDlgCtrl(pEdit);
        return FALSE;
    }
    return TRUE;
}

void CNewToolBarDlg::OnOK()
{
    CString strName;
    GetDlgItemText(IDC_KIT_TOOLBAR_NAME, strName);
    // A name of blanks only is as invisible in the toolbar list as no name.
    CString strTrimmed = strName;
    strTrimmed.Trim();
    if (strTrimmed.IsEmpty())
    {
        AfxMessageBox(ToolkitString(kBlankName), MB_OK | MB_ICONSTOP);
        return;
    }
    if (IsNameTaken(m_pCommandBars, strName, m_pBar))
    {
        CString strMessage;
        strMessage.Format(ToolkitString(kNameTaken), static_cast<LPCTSTR>(strName));
        AfxMessageBox(strMessage, MB_OK | MB_ICONSTOP);
        return;
    }
    m_strName = strName;
    if (m_pBar == nullptr)
    {
        m_nBarId = FindFreeBarId(m_pCommandBars);
        if (m_nBarId == 0)
        {
            AfxMessageBox(ToolkitString(kNoFreeId), MB_OK | MB_ICONSTOP);
            EndDialog(IDCANCEL);
            return;
        }
    }
    EndDialog(IDOK);
}
