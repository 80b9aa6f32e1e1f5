// ActiveX controls in a window, through atl.dll's AtlAxWin host where it is
// installed. Where it is absent CreateControl fails, as the callers expect.
#include "CWnd.h"

#include "../core/Exceptions.h"
#include "COleDispatchDriver.h"

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

// Calls on the hosted control's dispatch interface, with the same argument
// lists (VTS_*) and result conventions as COleDispatchDriver.
void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    va_list args;
    va_start(args, pbParamInfo);
    try
    {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
    }
    catch (...)
    {
        va_end(args);
        throw;
    }
    va_end(args);
}

void CWnd::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                         va_list argList)
{
    if (m_pControlUnknown == nullptr)
        AfxThrowOleException(E_NOINTERFACE);
    IDispatch* pDispatch = nullptr;
    if (FAILED(m_pControlUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))))
        AfxThrowOleException(E_NOINTERFACE);
    COleDispatchDriver driver(pDispatch, TRUE); // releases the reference taken above
    driver.InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp)
{
    InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

void CWnd::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    va_list args;
    va_start(args, vtProp);
    const BYTE paramInfo[2] = {static_cast<BYTE>(vtProp), 0};
    WORD flags = vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    try
    {
        InvokeHelperV(dwDispID, flags, VT_EMPTY, nullptr, paramInfo, args);
    }
    catch (...)
    {
        va_end(args);
        throw;
    }
    va_end(args);
}
