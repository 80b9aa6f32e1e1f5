#include "CPowerPointDriver.h"

LPDISPATCH CPowerPointDriver::GetPresentations()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(kDispPresentations, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

LPDISPATCH CPowerPointDriver::Open(LPCTSTR FileName, long ReadOnly, long Untitled, long WithWindow)
{
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_I4 VTS_I4;
    LPDISPATCH result = nullptr;
    InvokeHelper(kDispOpen, DISPATCH_METHOD, VT_DISPATCH, &result, params, FileName, ReadOnly, Untitled, WithWindow);
    return result;
}

void CPowerPointDriver::SaveAs(LPCTSTR FileName, long FileFormat, long EmbedTrueTypeFonts)
{
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_I4;
    InvokeHelper(kDispSaveAs, DISPATCH_METHOD, VT_EMPTY, nullptr, params, FileName, FileFormat, EmbedTrueTypeFonts);
}

void CPowerPointDriver::Quit()
{
    InvokeHelper(kDispQuit, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}
