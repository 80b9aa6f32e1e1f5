#include "CWMPPlayer4.h"

IMPLEMENT_DYNCREATE(CWMPPlayer4, CWnd)

BOOL CWMPPlayer4::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(kClsid, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CWMPPlayer4::SetURL(LPCTSTR url)
{
    static const BYTE params[] = VTS_BSTR;
    InvokeHelper(1, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, url);
}

long CWMPPlayer4::GetOpenState()
{
    long state = 0;
    InvokeHelper(2, DISPATCH_PROPERTYGET, VT_I4, &state, nullptr);
    return state;
}

void CWMPPlayer4::close()
{
    InvokeHelper(3, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

long CWMPPlayer4::GetPlayState()
{
    long state = 0;
    InvokeHelper(10, DISPATCH_PROPERTYGET, VT_I4, &state, nullptr);
    return state;
}

CString CWMPPlayer4::GetStatus()
{
    CString status;
    InvokeHelper(18, DISPATCH_PROPERTYGET, VT_BSTR, &status, nullptr);
    return status;
}
