#include "COleDispatchDriver.h"

#include <cstdarg>
#include <cstring>
#include <vector>

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
    if (FAILED(hr))
    {
        m_lpDispatch = nullptr;
        if (pError != nullptr)
            pError->m_sc = hr;
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(lpszProgID, &clsid);
    if (FAILED(hr))
    {
        if (pError != nullptr)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != nullptr && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...)
{
    AfxVaList args;
    va_start(args.list, pbParamInfo);
    InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args.list);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_POINTER);

    // Arguments go into DISPPARAMS last first.
    size_t count = pbParamInfo != nullptr ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    std::vector<VARIANT> args(count);
    for (size_t i = 0; i < count; ++i)
    {
        VARIANT& arg = args[count - 1 - i];
        ::VariantInit(&arg);
        arg.vt = pbParamInfo[i];
        switch (arg.vt)
        {
        case VT_I2:
            arg.iVal = static_cast<short>(va_arg(argList, int));
            break;
        case VT_I4:
            arg.lVal = va_arg(argList, long);
            break;
        case VT_R4:
            arg.fltVal = static_cast<float>(va_arg(argList, double));
            break;
        case VT_R8:
            arg.dblVal = va_arg(argList, double);
            break;
        case VT_BSTR:
            arg.bstrVal = ::SysAllocString(va_arg(argList, LPCOLESTR));
            break;
        case VT_DISPATCH:
            arg.pdispVal = va_arg(argList, LPDISPATCH);
            if (arg.pdispVal != nullptr)
                arg.pdispVal->AddRef();
            break;
        case VT_BOOL:
            arg.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_VARIANT:
            ::VariantCopy(&arg, const_cast<VARIANT*>(va_arg(argList, const VARIANT*)));
            break;
        case VT_UNKNOWN:
            arg.punkVal = va_arg(argList, LPUNKNOWN);
            if (arg.punkVal != nullptr)
                arg.punkVal->AddRef();
            break;
        case VT_UI1:
            arg.bVal = static_cast<BYTE>(va_arg(argList, int));
            break;
        default:
            for (VARIANT& made : args)
                ::VariantClear(&made);
            AfxThrowOleException(DISP_E_BADVARTYPE);
        }
    }

    DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(count), 0};
    DISPID putId = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
    {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO excepInfo{};
    UINT argError = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                      vtRet == VT_EMPTY ? nullptr : &result, &excepInfo, &argError);
    for (VARIANT& arg : args)
        ::VariantClear(&arg);
    if (FAILED(hr))
    {
        ::VariantClear(&result);
        if (hr == DISP_E_EXCEPTION)
        {
            CString description = excepInfo.bstrDescription != nullptr ? CString(excepInfo.bstrDescription) : CString();
            ::SysFreeString(excepInfo.bstrSource);
            ::SysFreeString(excepInfo.bstrDescription);
            ::SysFreeString(excepInfo.bstrHelpFile);
            AfxThrowOleDispatchException(excepInfo.wCode, description, excepInfo.dwHelpContext);
        }
        AfxThrowOleException(hr);
    }
    if (vtRet == VT_EMPTY || pvRet == nullptr)
    {
        ::VariantClear(&result);
        return;
    }
    if (vtRet != VT_VARIANT && result.vt != vtRet)
    {
        HRESULT changed = ::VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(changed))
        {
            ::VariantClear(&result);
            AfxThrowOleException(changed);
        }
    }
    switch (vtRet)
    {
    case VT_I2:
        *static_cast<short*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<long*>(pvRet) = result.lVal;
        break;
    case VT_R4:
        *static_cast<float*>(pvRet) = result.fltVal;
        break;
    case VT_R8:
        *static_cast<double*>(pvRet) = result.dblVal;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = result.bstrVal != nullptr ? CString(result.bstrVal) : CString();
        break;
    case VT_DISPATCH:
        *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal;
        result.vt = VT_EMPTY; // the reference passes to the caller
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        break;
    case VT_VARIANT:
        *static_cast<VARIANT*>(pvRet) = result;
        result.vt = VT_EMPTY;
        break;
    case VT_UNKNOWN:
        *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal;
        result.vt = VT_EMPTY;
        break;
    default:
        break;
    }
    ::VariantClear(&result);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp)
{
    InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    AfxVaList args;
    va_start(args.list, vtProp);
    SetPropertyV(dwDispID, vtProp, args.list);
}

void COleDispatchDriver::SetPropertyV(DISPID dwDispID, VARTYPE vtProp, va_list argList)
{
    const BYTE paramInfo[2] = {static_cast<BYTE>(vtProp), 0};
    WORD flags = vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    InvokeHelperV(dwDispID, flags, VT_EMPTY, nullptr, paramInfo, argList);
}
