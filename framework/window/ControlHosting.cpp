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

// AtlAxWinInit registers the host's window class and fails once it exists, so it
// runs once per process; its first answer holds for every later control.
bool ControlHostingReady(HMODULE hAtl)
{
    static const bool ready = [hAtl] {
        auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(hAtl, "AtlAxWinInit")));
        if (init == nullptr)
            return false;
        if (init())
            return true;
        WNDCLASSEXW hostClass{};
        hostClass.cbSize = sizeof(hostClass);
        return ::GetClassInfoExW(hAtl, L"AtlAxWin", &hostClass) != FALSE;
    }();
    return ready;
}
} // namespace

BOOL CWnd::CreateControl(LPCTSTR lpszClass, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    HMODULE hAtl = AtlModule();
    if (hAtl == nullptr)
        return FALSE;
    auto getControl = reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(::GetProcAddress(hAtl, "AtlAxGetControl")));
    if (getControl == nullptr || !ControlHostingReady(hAtl))
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

namespace
{
// The hosted control's dispatch interface, for one call.
LPDISPATCH ControlDispatch(IUnknown* pControlUnknown)
{
    IDispatch* pDispatch = nullptr;
    if (pControlUnknown == nullptr ||
        FAILED(pControlUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))))
        AfxThrowOleException(E_NOINTERFACE);
    return pDispatch;
}
} // namespace

// Calls on the hosted control, with the same argument lists (VTS_*) and
// result conventions as COleDispatchDriver.
void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    AfxVaList args;
    va_start(args.list, pbParamInfo);
    InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args.list);
}

void CWnd::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                         va_list argList)
{
    COleDispatchDriver driver(ControlDispatch(m_pControlUnknown));
    driver.InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp)
{
    COleDispatchDriver driver(ControlDispatch(m_pControlUnknown));
    driver.GetProperty(dwDispID, vtProp, pvProp);
}

void CWnd::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    AfxVaList args;
    va_start(args.list, vtProp);
    COleDispatchDriver driver(ControlDispatch(m_pControlUnknown));
    driver.SetPropertyV(dwDispID, vtProp, args.list);
}
