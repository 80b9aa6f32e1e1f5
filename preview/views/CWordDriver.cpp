#include "CWordDriver.h"

LPDISPATCH CWordDriver::GetDocuments()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(kDispDocuments, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

LPDISPATCH CWordDriver::Add(VARIANT* Template, VARIANT* NewTemplate)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT;
    LPDISPATCH result = nullptr;
    InvokeHelper(kDispAdd, DISPATCH_METHOD, VT_DISPATCH, &result, params, Template, NewTemplate);
    return result;
}

LPDISPATCH CWordDriver::Open(VARIANT* FileName, VARIANT* ConfirmConversions, VARIANT* ReadOnly,
                             VARIANT* AddToRecentFiles, VARIANT* PasswordDocument, VARIANT* PasswordTemplate,
                             VARIANT* Revert, VARIANT* WritePasswordDocument, VARIANT* WritePasswordTemplate,
                             VARIANT* Format)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
        VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    LPDISPATCH result = nullptr;
    InvokeHelper(kDispOpen, DISPATCH_METHOD, VT_DISPATCH, &result, params, FileName, ConfirmConversions, ReadOnly,
                 AddToRecentFiles, PasswordDocument, PasswordTemplate, Revert, WritePasswordDocument,
                 WritePasswordTemplate, Format);
    return result;
}

void CWordDriver::Close(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(kDispClose, DISPATCH_METHOD, VT_EMPTY, nullptr, params, SaveChanges, OriginalFormat, RouteDocument);
}

void CWordDriver::SaveAs(VARIANT* FileName, VARIANT* FileFormat, VARIANT* LockComments, VARIANT* Password,
                         VARIANT* AddToRecentFiles, VARIANT* WritePassword, VARIANT* ReadOnlyRecommended,
                         VARIANT* EmbedTrueTypeFonts, VARIANT* SaveNativePictureFormat, VARIANT* SaveFormsData,
                         VARIANT* SaveAsAOCELetter)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
        VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(kDispSaveAs, DISPATCH_METHOD, VT_EMPTY, nullptr, params, FileName, FileFormat, LockComments,
                 Password, AddToRecentFiles, WritePassword, ReadOnlyRecommended, EmbedTrueTypeFonts,
                 SaveNativePictureFormat, SaveFormsData, SaveAsAOCELetter);
}

void CWordDriver::Quit(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(kDispQuit, DISPATCH_METHOD, VT_EMPTY, nullptr, params, SaveChanges, OriginalFormat, RouteDocument);
}

void CWordDriver::DisableMacros()
{
    constexpr long kForceDisable = 3;  // msoAutomationSecurityForceDisable
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_POINTER);
    OLECHAR name[] = L"AutomationSecurity";
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = m_lpDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    SetProperty(id, VT_I4, kForceDisable);
}
