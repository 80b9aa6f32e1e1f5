// OLE data transfer and late-bound automation.
#include "Framework.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
HGLOBAL GlobalText(const char* text)
{
    size_t size = std::strlen(text) + 1;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(hGlobal), text, size);
    ::GlobalUnlock(hGlobal);
    return hGlobal;
}

DISPID DispatchIdOf(LPDISPATCH pDispatch, LPCWSTR name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    pDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}
} // namespace

TEST(OleTest, DataSourceCachesWhatTheDataObjectReadsBack)
{
    ASSERT_TRUE(AfxOleInit());
    auto* source = new COleDataSource; // lives by its reference count
    source->CacheGlobalData(CF_TEXT, GlobalText("recovered.txt"));

    COleDataObject data;
    LPDATAOBJECT lpDataObject = nullptr;
    ASSERT_EQ(source->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&lpDataObject)), S_OK);
    data.Attach(lpDataObject, TRUE);
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_HDROP));
    EXPECT_EQ(data.GetGlobalData(CF_HDROP), nullptr);

    HGLOBAL hText = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(hText, nullptr);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(hText)), "recovered.txt");
    ::GlobalUnlock(hText);
    ::GlobalFree(hText);

    CFile* pFile = data.GetFileData(CF_TEXT);
    ASSERT_NE(pFile, nullptr);
    char buffer[32] = {};
    EXPECT_EQ(pFile->Read(buffer, sizeof(buffer)), 14u);
    EXPECT_STREQ(buffer, "recovered.txt");
    delete pFile;

    data.Release();
    source->InternalRelease(); // the last reference
    ::OleUninitialize();
}

TEST(OleTest, DispatchDriverCallsAnAutomationObject)
{
    ASSERT_TRUE(AfxOleInit());
    COleDispatchDriver missing;
    COleException error;
    EXPECT_FALSE(missing.CreateDispatch(L"Pelmo.NoSuchClass", &error));
    EXPECT_TRUE(FAILED(error.m_sc));

    COleDispatchDriver dictionary;
    if (!dictionary.CreateDispatch(L"Scripting.Dictionary"))
        GTEST_SKIP() << "no Scripting.Dictionary here";
    DISPID add = DispatchIdOf(dictionary.m_lpDispatch, L"Add");
    DISPID count = DispatchIdOf(dictionary.m_lpDispatch, L"Count");
    DISPID item = DispatchIdOf(dictionary.m_lpDispatch, L"Item");

    static const BYTE addParams[] = VTS_VARIANT VTS_VARIANT;
    COleVariant key(L"drive"), value(L"C:");
    dictionary.InvokeHelper(add, DISPATCH_METHOD, VT_EMPTY, nullptr, addParams, &key, &value);
    long entries = 0;
    dictionary.GetProperty(count, VT_I4, &entries);
    EXPECT_EQ(entries, 1);
    CString found;
    static const BYTE itemParams[] = VTS_VARIANT;
    dictionary.InvokeHelper(item, DISPATCH_PROPERTYGET, VT_BSTR, &found, itemParams, &key);
    EXPECT_EQ(found, CString(L"C:"));

    // A failing call reaches the caller as an exception, not a crash.
    bool threw = false;
    try
    {
        dictionary.InvokeHelper(add, DISPATCH_METHOD, VT_EMPTY, nullptr, addParams, &key, &value); // duplicate key
    }
    catch (CException* e)
    {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
    dictionary.ReleaseDispatch();
    ::OleUninitialize();
}

namespace
{
// A window hosting an automation object as its control.
class CHostWnd : public CWnd
{
public:
    void Host(IUnknown* pUnknown)
    {
        pUnknown->AddRef();
        m_pControlUnknown = pUnknown; // released by the window object
    }
};
} // namespace

TEST(OleTest, WindowInvokeHelperPassesItsArgumentsToTheHostedObject)
{
    ASSERT_TRUE(AfxOleInit());
    {
        COleDispatchDriver dictionary;
        if (!dictionary.CreateDispatch(L"Scripting.Dictionary"))
            GTEST_SKIP() << "no Scripting.Dictionary here";
        CHostWnd host;
        host.Host(dictionary.m_lpDispatch);
        DISPID add = DispatchIdOf(dictionary.m_lpDispatch, L"Add");
        DISPID count = DispatchIdOf(dictionary.m_lpDispatch, L"Count");
        DISPID item = DispatchIdOf(dictionary.m_lpDispatch, L"Item");

        static const BYTE addParams[] = VTS_VARIANT VTS_VARIANT;
        COleVariant key(L"volume"), value(L"NTFS");
        host.InvokeHelper(add, DISPATCH_METHOD, VT_EMPTY, nullptr, addParams, &key, &value);
        long entries = 0;
        host.GetProperty(count, VT_I4, &entries);
        EXPECT_EQ(entries, 1);
        CString found;
        static const BYTE itemParams[] = VTS_VARIANT;
        host.InvokeHelper(item, DISPATCH_PROPERTYGET, VT_BSTR, &found, itemParams, &key);
        EXPECT_EQ(found, CString(L"NTFS"));
    }
    ::OleUninitialize();
}
