#include "DataExchange.h"

#include "CWinApp.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CUserException, CException)

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException(); // the template lacks the control: a programming error
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl != nullptr && !m_bSaveAndValidate)
        m_hWndLastControl = nullptr;
    if (m_hWndLastControl != nullptr)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw new CUserException;
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr)
    {
        HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
        if (!rControl.SubclassWindow(hWndCtrl))
            AfxThrowNotSupportedException();
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // The group runs from nIDC to the next control with WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do
    {
        if (::SendMessageW(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = index;
            }
            else
            {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, index == value, 0);
            }
            ++index;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongPtrW(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int length = ::GetWindowTextLengthW(hWndCtrl);
        ::GetWindowTextW(hWndCtrl, value.GetBuffer(length + 1), length + 1);
        value.ReleaseBuffer();
    }
    else
    {
        ::SetWindowTextW(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        wchar_t text[64];
        ::GetWindowTextW(hWndCtrl, text, 64);
        wchar_t* end = nullptr;
        long parsed = std::wcstol(text, &end, 10);
        if (end == text)
        {
            AfxMessageBox(L"Please enter an integer.", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = static_cast<int>(parsed);
    }
    else
    {
        CString text;
        text.Format(L"%d", value);
        ::SetWindowTextW(hWndCtrl, text);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    int signedValue = static_cast<int>(value);
    DDX_Text(pDX, nIDC, signedValue);
    value = static_cast<UINT>(signedValue);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int length = ::GetWindowTextLengthW(hWndCtrl);
        ::GetWindowTextW(hWndCtrl, value.GetBuffer(length + 1), length + 1);
        value.ReleaseBuffer();
    }
    else if (::SendMessageW(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(
                                static_cast<LPCWSTR>(value))) == CB_ERR)
    {
        ::SetWindowTextW(hWndCtrl, value);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, index, 0);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        CString message;
        message.Format(L"Enter no more than %d characters.", nChars);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    else if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
    {
        ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString message;
        message.Format(L"Enter an integer between %d and %d.", minVal, maxVal);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString message;
        message.Format(L"Enter a number between %u and %u.", minVal, maxVal);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
