// The property exchange through its real back ends: registry keys under HKCU
// and framework archives over memory files; the user-settings store.
#include <gtest/gtest.h>

#include "CKitPropExchangeArchive.h"
#include "CKitPropExchangeRegistry.h"
#include "CPropSectionEnum.h"
#include "CUserSettingsStore.h"

// A serialisable object for ExchangeObject and ExchangeInstance.
class CExchangeSample : public CObject
{
    DECLARE_SERIAL(CExchangeSample)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue << m_strText;
        else
            ar >> m_nValue >> m_strText;
    }
    long m_nValue = 0;
    CString m_strText;
};
IMPLEMENT_SERIAL(CExchangeSample, CObject, 1)

namespace {

const wchar_t kTestRoot[] = L"Software\\Pelmo Tests\\PropExchange";

class PropExchangeRegistry : public ::testing::Test
{
protected:
    // Each test has a key of its own: the tests run in parallel processes.
    void SetUp() override
    {
        m_strRoot = kTestRoot;
        m_strRoot += L"\\";
        m_strRoot += CString(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_strRoot);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, m_strRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hRoot,
                                    nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        ::RegCloseKey(m_hRoot);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_strRoot);
    }
    DWORD ValueType(LPCWSTR pszSubKey, LPCWSTR pszName)
    {
        DWORD nType = 0;
        return ::RegGetValueW(m_hRoot, pszSubKey, pszName, RRF_RT_ANY | RRF_NOEXPAND, &nType, nullptr, nullptr) ==
                       ERROR_SUCCESS
                   ? nType
                   : REG_NONE;
    }
    CString Text(LPCWSTR pszSubKey, LPCWSTR pszName)
    {
        wchar_t text[256] = {};
        DWORD nBytes = sizeof(text);
        ::RegGetValueW(m_hRoot, pszSubKey, pszName, RRF_RT_REG_SZ, nullptr, text, &nBytes);
        return text;
    }
    CString m_strRoot;
    HKEY m_hRoot = nullptr;
};

// One pass over a fixed set of members, in either direction.
struct Settings
{
    long nCount = 0;
    BOOL bVisible = FALSE;
    CString strTitle;
    CRect rcBounds;
    CSize szButton;
    double dScale = 0;
    short nShort = 0;
    BYTE nByte = 0;

    void Exchange(CKitPropExchange* pPX)
    {
        ExchangeLong(pPX, L"Count", nCount, 3);
        ExchangeBool(pPX, L"Visible", bVisible, TRUE);
        ExchangeString(pPX, L"Title", strTitle, L"Standard");
        ExchangeRect(pPX, L"Bounds", rcBounds, CRect(0, 0, 0, 0));
        ExchangeSize(pPX, L"Button", szButton, CSize(16, 15));
        pPX->ExchangeValue(L"Scale", PX_DOUBLE, &dScale, nullptr);
        pPX->ExchangeValue(L"Short", PX_SHORT, &nShort, nullptr);
        pPX->ExchangeValue(L"Byte", PX_BYTE, &nByte, nullptr);
    }
};

}  // namespace

TEST_F(PropExchangeRegistry, SettingsRoundTripWithSectionsAndDefaultsLeftOut)
{
    {
        CKitPropExchangeRegistry px(FALSE, m_hRoot, L"Bars");
        Settings settings{7, TRUE, L"Menu Bar", CRect(1, 2, 3, 4), CSize(24, 22), 1.25, -5, 200};
        settings.Exchange(&px);
        CKitPropSectionRef section(px.OpenSection(L"Toolbar"));
        long nIndex = 2;
        ExchangeLong(section.Get(), L"Index", nIndex, 0);
    }
    EXPECT_EQ(Text(L"Bars", L"Bounds"), L"1, 2, 3, 4");
    EXPECT_EQ(ValueType(L"Bars", L"Count"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ValueType(L"Bars", L"Scale"), static_cast<DWORD>(REG_BINARY));
    // Equal to their defaults: not written.
    EXPECT_EQ(ValueType(L"Bars", L"Visible"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(ValueType(L"Bars\\Toolbar", L"Index"), static_cast<DWORD>(REG_DWORD));

    CKitPropExchangeRegistry px(TRUE, m_hRoot, L"Bars");
    Settings loaded;
    loaded.Exchange(&px);
    EXPECT_EQ(loaded.nCount, 7);
    EXPECT_TRUE(loaded.bVisible);
    EXPECT_EQ(loaded.strTitle, L"Menu Bar");
    EXPECT_EQ(loaded.rcBounds, CRect(1, 2, 3, 4));
    EXPECT_EQ(loaded.szButton, CSize(24, 22));
    EXPECT_EQ(loaded.dScale, 1.25);
    EXPECT_EQ(loaded.nShort, -5);
    EXPECT_EQ(loaded.nByte, 200);
    CKitPropSectionRef section(px.GetSection(L"Toolbar"));
    long nIndex = 0;
    EXPECT_TRUE(ExchangeLong(section.Get(), L"Index", nIndex, 0));
    EXPECT_EQ(nIndex, 2);
}

TEST_F(PropExchangeRegistry, DamagedValuesGiveTheirDefaults)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(m_hRoot, L"Bars", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    const ULONGLONG wide = 5;
    ::RegSetValueExW(hKey, L"Count", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof(wide));
    ::RegSetValueExW(hKey, L"Visible", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
    ::RegSetValueExW(hKey, L"Button", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"12"), 6);
    const BYTE shortDouble[4] = {1, 2, 3, 4};
    ::RegSetValueExW(hKey, L"Scale", 0, REG_BINARY, shortDouble, sizeof(shortDouble));
    ::RegCloseKey(hKey);

    CKitPropExchangeRegistry px(TRUE, m_hRoot, L"Bars");
    Settings loaded;
    loaded.dScale = 9;
    loaded.Exchange(&px);
    EXPECT_EQ(loaded.nCount, 3);
    EXPECT_TRUE(loaded.bVisible);
    EXPECT_EQ(loaded.szButton, CSize(16, 15));
    EXPECT_EQ(loaded.dScale, 9);  // no default given: left alone
}

TEST_F(PropExchangeRegistry, ClearSectionRemovesTheKeyTreeAndTheNextStoreMakesItAgain)
{
    {
        CKitPropExchangeRegistry px(FALSE, m_hRoot, L"Layout");
        CKitPropSectionRef pane(px.OpenSection(L"Pane0"));
        long nSize = 40;
        ExchangeLong(pane.Get(), L"Size", nSize, 0);
    }
    CKitPropExchangeRegistry px(FALSE, m_hRoot, L"Layout");
    EXPECT_TRUE(px.EmptySection());
    HKEY hGone = nullptr;
    EXPECT_NE(::RegOpenKeyExW(m_hRoot, L"Layout", 0, KEY_READ, &hGone), ERROR_SUCCESS);
    long nCount = 1;
    EXPECT_TRUE(ExchangeLong(&px, L"Count", nCount, 0));
    EXPECT_EQ(ValueType(L"Layout", L"Count"), static_cast<DWORD>(REG_DWORD));
}

TEST_F(PropExchangeRegistry, ObjectsAreOneBinaryValueAndClassesGoByName)
{
    {
        CKitPropExchangeRegistry px(FALSE, m_hRoot, L"Objects");
        CExchangeSample sample;
        sample.m_nValue = 42;
        sample.m_strText = L"forty-two";
        EXPECT_TRUE(ExchangeObject(&px, L"Data", &sample));
        CObject* pObject = &sample;
        EXPECT_TRUE(px.ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CObject)));
    }
    EXPECT_EQ(ValueType(L"Objects", L"Data"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Text(L"Objects", L"Class"), L"CExchangeSample");

    CKitPropExchangeRegistry px(TRUE, m_hRoot, L"Objects");
    CExchangeSample loaded;
    EXPECT_TRUE(ExchangeObject(&px, L"Data", &loaded));
    EXPECT_EQ(loaded.m_nValue, 42);
    EXPECT_EQ(loaded.m_strText, L"forty-two");
    CObject* pMade = nullptr;
    ASSERT_TRUE(px.ExchangeInstance(&pMade, RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(pMade->IsKindOf(RUNTIME_CLASS(CExchangeSample)));
    delete pMade;
    // A class of another kind than asked for is refused.
    CObject* pWrong = nullptr;
    EXPECT_FALSE(px.ExchangeInstance(&pWrong, RUNTIME_CLASS(CCmdTarget)));
    // A damaged blob fails the object cleanly.
    HKEY hKey = nullptr;
    ::RegOpenKeyExW(m_hRoot, L"Objects", 0, KEY_WRITE, &hKey);
    const BYTE cut[3] = {42, 0, 0};
    ::RegSetValueExW(hKey, L"Data", 0, REG_BINARY, cut, sizeof(cut));
    ::RegCloseKey(hKey);
    CKitPropExchangeRegistry again(TRUE, m_hRoot, L"Objects");
    EXPECT_FALSE(ExchangeObject(&again, L"Data", &loaded));
}

TEST_F(PropExchangeRegistry, NumberedSectionsCountFromZero)
{
    {
        CKitPropExchangeRegistry px(FALSE, m_hRoot, L"Sets");
        CPropSectionEnum sections(&px, L"Icon");
        UINT nPosition = sections.Begin(2, TRUE);
        for (long i = 0; nPosition != 0; ++i)
        {
            CKitPropSectionRef section(sections.GetNext(nPosition));
            ExchangeLong(section.Get(), L"Width", i);
        }
        CKitPropSectionRef other(px.OpenSection(L"Other"));
        CPropSectionEnum none(other.Get(), L"Empty");
        EXPECT_EQ(none.Begin(0, FALSE), 0u);
    }
    EXPECT_EQ(ValueType(L"Sets\\Icon0", L"Width"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ValueType(L"Sets\\Icon1", L"Width"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ValueType(L"Sets\\Icon2", L"Width"), static_cast<DWORD>(REG_NONE));

    CKitPropExchangeRegistry px(TRUE, m_hRoot, L"Sets");
    std::unique_ptr<CPropSectionEnum> sections(px.GetEnumerator(L"Icon"));
    UINT nPosition = sections->GetPosition(0, TRUE);
    EXPECT_EQ(sections->GetCount(), 2u);
    int nSeen = 0;
    while (nPosition != 0)
    {
        CKitPropSectionRef section(sections->GetNext(nPosition));
        ++nSeen;
    }
    EXPECT_EQ(nSeen, 2);
}

TEST(PropExchangeArchive, ValuesSectionsAndObjectsFollowEachOtherInOneStream)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        Settings settings{7, TRUE, L"Menu Bar", CRect(1, 2, 3, 4), CSize(24, 22), 1.25, -5, 200};
        settings.Exchange(&px);
        BSTR bstr = ::SysAllocString(L"not kept");
        px.ExchangeValue(L"Note", PX_BSTR, &bstr, nullptr);
        ::SysFreeString(bstr);
        CPropSectionEnum sections(&px, L"Item");
        UINT nPosition = sections.Begin(2, TRUE);
        for (long i = 10; nPosition != 0; ++i)
        {
            CKitPropSectionRef section(sections.GetNext(nPosition));
            ExchangeLong(section.Get(), L"Value", i);
        }
        CExchangeSample sample;
        sample.m_nValue = 5;
        EXPECT_TRUE(ExchangeObject(&px, L"Data", &sample));
        ar.Close();
    }
    // Count 4, BOOL 4, "Menu Bar" 4 + 16, RECT 16, SIZE 8, double 8, short 2, byte 1,
    // no BSTR, section count 2, two longs 8, object: long 4 and empty string 4.
    EXPECT_EQ(file.GetLength(), 4u + 4 + 20 + 16 + 8 + 8 + 2 + 1 + 2 + 8 + 8);

    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    EXPECT_FALSE(px.CanOmitDefaults());
    Settings loaded;
    loaded.Exchange(&px);
    EXPECT_EQ(loaded.nCount, 7);
    EXPECT_EQ(loaded.strTitle, L"Menu Bar");
    EXPECT_EQ(loaded.rcBounds, CRect(1, 2, 3, 4));
    EXPECT_EQ(loaded.nByte, 200);
    CPropSectionEnum sections(&px, L"Item");
    UINT nPosition = sections.Begin(0, TRUE);
    long nSum = 0;
    while (nPosition != 0)
    {
        CKitPropSectionRef section(sections.GetNext(nPosition));
        long nValue = 0;
        ExchangeLong(section.Get(), L"Value", nValue);
        nSum += nValue;
    }
    EXPECT_EQ(nSum, 21);
    CExchangeSample sample;
    EXPECT_TRUE(ExchangeObject(&px, L"Data", &sample));
    EXPECT_EQ(sample.m_nValue, 5);
    // Reading past the end raises the archive exception to the caller.
    long nMore = 0;
    EXPECT_THROW(
        {
            try
            {
                ExchangeLong(&px, L"More", nMore);
            }
            catch (CException* e)
            {
                e->Delete();
                throw 1;
            }
        },
        int);
}

TEST(UserSettingsStore, StringsAndBinariesUnderTheProfileKey)
{
    CUserSettingsStore store;
    store.m_pszRegistryKey = L"Pelmo Tests";
    store.m_pszProfileName = L"SettingsStore";
    const BYTE placement[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(store.WriteString(L"Settings", L"Name", L"Value"), 1);
    EXPECT_EQ(store.WriteBinary(L"Settings", L"Window Position", placement, sizeof(placement)), 1);
    EXPECT_EQ(store.GetString(L"Settings", L"Name", L"none"), L"Value");
    EXPECT_EQ(store.GetString(L"Settings", L"Missing", L"none"), L"none");
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(store.GetBinary(L"Settings", L"Window Position", &pData, &nBytes));
    EXPECT_EQ(nBytes, 5u);
    EXPECT_EQ(pData[4], 5);
    delete[] pData;
    // A text where a blob is expected is refused.
    EXPECT_FALSE(store.GetBinary(L"Settings", L"Name", &pData, &nBytes));
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(store.WriteString(L"Settings", L"Name", nullptr), 1);
    EXPECT_EQ(store.GetString(L"Settings", L"Name", L"gone"), L"gone");
    EXPECT_EQ(store.WriteString(L"Settings", nullptr, nullptr), 1);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests\\SettingsStore");
}
