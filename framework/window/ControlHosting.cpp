// ActiveX controls in a window, through atl.dll's AtlAxWin host where it is
// installed. Where it is absent CreateControl fails, as the callers expect.
#include "CWnd.h"

#include "../core/Exceptions.h"

#include <cstdarg>

namespace
{
typedef BOOL(WINAPI* AtlAxWinInitFn)();
typedef HRESULT(WINAPI* AtlAxGetControlFn)(HWND, IUnknown**);

HMODULE AtlModule()
{
    static HMODULE hAtl = ::LoadLibraryW(L"atl.dll");
    return hAtl;
}
} // namespace

BOOL CWnd::CreateControl(LPCTSTR lpszClass, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    HMODULE hAtl = AtlModule();
    if (hAtl == nullptr)
        return FALSE;
    auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(hAtl, "AtlAxWinInit")));
    auto getControl = reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(::GetProcAddress(hAtl, "AtlAxGetControl")));
    if (init == nullptr || getControl == nullptr || !init())
        return FALSE;
    // The host window takes the ProgID or CLSID string as its text.
    if (!CreateEx(0, L"AtlAxWin", lpszClass, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    IUnknown* pUnknown = nullptr;
    if (FAILED(getControl(m_hWnd, &pUnknown)) || pUnknown == nullptr)
    {
        DestroyWindow();
        return FALSE;
    }
    m_pControlUnknown = pUnknown;
    return TRUE;
}

IUnknown* CWnd::GetControlUnknown()
{
    return m_pControlUnknown;
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    if (m_pControlUnknown == nullptr)
        AfxThrowOleException(E_NOINTERFACE);
    IDispatch* pDispatch = nullptr;
    if (FAILED(m_pControlUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))))
        AfxThrowOleException(E_NOINTERFACE);
    // Only property gets and argument-less calls reach hosted controls here.
    (void)pbParamInfo;
    DISPPARAMS params{};
    VARIANT result;
    ::VariantInit(&result);
    HRESULT hr = pDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, &result, nullptr, nullptr);
    pDispatch->Release();
    if (FAILED(hr))
        AfxThrowOleException(hr);
    if (vtRet != VT_EMPTY && pvRet != nullptr && SUCCEEDED(::VariantChangeType(&result, &result, 0, vtRet)))
    {
        switch (vtRet)
        {
        case VT_I4:
            *static_cast<LONG*>(pvRet) = result.lVal;
            break;
        case VT_BOOL:
            *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
            break;
        case VT_BSTR:
            *static_cast<BSTR*>(pvRet) = result.bstrVal;
            result.vt = VT_EMPTY; // ownership passes to the caller
            break;
        case VT_DISPATCH:
            *static_cast<IDispatch**>(pvRet) = result.pdispVal;
            result.vt = VT_EMPTY;
            break;
        default:
            break;
        }
    }
    ::VariantClear(&result);
}
