// COleDispatchDriver: late-bound calls on an automation object, with the
// argument lists described by VTS_* strings.
#pragma once

#include "../core/CString.h"
#include "../core/Exceptions.h"

#include <cstdarg>

// One character per argument: the VARTYPE of what the caller passes.
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"    // LPCOLESTR
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"    // BOOL
#define VTS_VARIANT "\x0C" // const VARIANT*
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"
#define VTS_NONE ""

// A variadic call's argument list, ended however the call leaves.
struct AfxVaList
{
    va_list list;
    ~AfxVaList() { va_end(list); }
};

class COleDispatchDriver
{
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE)
        : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}
    ~COleDispatchDriver() { ReleaseDispatch(); }
    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

    // FALSE (with the error in pError when given) when the class is not
    // registered or cannot be made.
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = nullptr);
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = nullptr);
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // Throws COleDispatchException (with the object's description) or
    // COleException when the call fails. vtRet selects what pvRet points
    // to: short, long, float, double, CString (VT_BSTR), LPDISPATCH, BOOL,
    // VARIANT, or nothing (VT_EMPTY).
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp);
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    void SetPropertyV(DISPID dwDispID, VARTYPE vtProp, va_list argList);

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
