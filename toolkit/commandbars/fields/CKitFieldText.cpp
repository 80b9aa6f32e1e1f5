#include "CKitFieldText.h"

#include "CColorTable.h"
#include "CRichEditLibrary.h"

#include <richedit.h>

CString CKitFieldText::GetRawEditText()
{
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd) && m_bTextDirty)
    {
        m_pEditWindow->GetWindowText(m_strText);
        m_bTextDirty = FALSE;
    }
    return m_strText;
}

void CKitFieldText::SetRawEditText(const CString& strText)
{
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd))
    {
        CString strShown;
        m_pEditWindow->GetWindowText(strShown);
        if (strShown != strText)
        {
            // Emptied first, so that a rich edit drops the old formatting runs.
            m_pEditWindow->SetWindowText(L"");
            m_pEditWindow->SetWindowText(strText);
        }
    }
    m_strText = strText;
    m_bTextDirty = FALSE;
}

CString CKitFieldText::GetEditText()
{
    CString strRaw = GetRawEditText();
    return !m_strEditHint.IsEmpty() && strRaw == m_strEditHint ? CString() : strRaw;
}

void CKitFieldText::SetEditText(const CString& strText)
{
    SetRawEditText(strText.IsEmpty() ? m_strEditHint : strText);
}

BOOL CKitFieldText::IsHintShowing()
{
    return !m_strEditHint.IsEmpty() && GetRawEditText() == m_strEditHint;
}

void CKitFieldText::SetEditHint(const CString& strHint)
{
    const CString strText = GetEditText();
    m_strEditHint = strHint;
    SetEditText(strText);
}

void CKitFieldText::ApplyCharFormat(BOOL bEnabled)
{
    if (m_pEditWindow == nullptr || !::IsWindow(m_pEditWindow->m_hWnd) || !m_pEditWindow->IsRichEdit())
        return;
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    CColorTable* pColors = GetColorTable();
    if (bEnabled)
    {
        format.crTextColor = pColors->GetColor(IsHintShowing() ? 17 : 18);
        format.crBackColor = pColors->GetColor(5);
    }
    else
    {
        format.crTextColor = pColors->GetColor(17);
        format.crBackColor = pColors->GetColor(15);
    }
    // Version 1 knows only the shorter record.
    if (!CRichEditLibrary::Instance().IsVersion2())
        format.cbSize = sizeof(CHARFORMATA);
    m_pEditWindow->SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}
