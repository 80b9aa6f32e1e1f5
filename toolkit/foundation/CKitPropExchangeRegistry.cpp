#include "CKitPropExchangeRegistry.h"

#include "ArchiveStreams.h"
#include "RegistryValueStore.h"

IMPLEMENT_DYNAMIC(CKitPropExchangeRegistry, CKitPropExchange)

namespace {

// VARIANT and BSTR values are never kept in the registry; one equal to its
// default still counts as exchanged (there is nothing to write), as for the
// other types.
bool EqualsFrameworkDefault(WORD nType, const void* pValue, const void* pDefault)
{
    if (pDefault == nullptr)
        return false;
    if (pValue == pDefault)
        return true;
    if (nType == PX_VARIANT)
        return *static_cast<const COleVariant*>(pValue) == *static_cast<const VARIANT*>(pDefault);
    const BSTR value = *static_cast<const BSTR*>(pValue), fallback = *static_cast<const BSTR*>(pDefault);
    return ::VarBstrCmp(value, fallback, LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
}

}  // namespace

CKitPropExchangeRegistry::CKitPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR pszSection)
    : m_hParentKey(hParentKey), m_strSection(pszSection)
{
    m_bLoading = bLoading;
}

CKitPropExchangeRegistry::~CKitPropExchangeRegistry()
{
    CloseSectionKey();
}

void CKitPropExchangeRegistry::CloseSectionKey()
{
    if (m_hSectionKey != nullptr)
        ::RegCloseKey(m_hSectionKey);
    m_hSectionKey = nullptr;
}

BOOL CKitPropExchangeRegistry::PrepareExchange()
{
    if (m_hParentKey == nullptr)
        return FALSE;
    if (!m_bPrepared)
    {
        // The key is created even when loading, so that a later store finds it.
        const REGSAM access = IsLoading() ? KEY_READ : KEY_WRITE;
        if (::RegCreateKeyExW(m_hParentKey, m_strSection, 0, nullptr, 0, access, nullptr, &m_hSectionKey, nullptr) !=
            ERROR_SUCCESS)
        {
            m_hSectionKey = nullptr;
        }
        m_bPrepared = m_hSectionKey != nullptr;
    }
    return m_hSectionKey != nullptr;
}

BOOL CKitPropExchangeRegistry::ExchangeValue(LPCTSTR pszName, WORD nType, void* pValue, const void* pDefault)
{
    const BOOL bOpen = PrepareExchange();
    if (nType == PX_BSTR || nType == PX_VARIANT)
    {
        if (IsLoading() || !bOpen || !m_bUseDefaultOnStore || !EqualsFrameworkDefault(nType, pValue, pDefault))
            return FALSE;
        if (!m_bSectionEmptied)
            ::RegDeleteValueW(m_hSectionKey, pszName);
        return TRUE;
    }
    CRegistryValueStore store(m_hSectionKey);
    const std::u16string name = ToU16(pszName);
    if (nType != PX_STRING)
        return kit::ExchangeRegistryValue(bOpen ? &store : nullptr, Flags(), name, nType, pValue, pDefault);

    CString& strValue = *static_cast<CString*>(pValue);
    std::u16string text = ToU16(strValue);
    const std::u16string fallback = ToU16(static_cast<LPCWSTR>(pDefault));
    const BOOL bResult = kit::ExchangeRegistryValue(bOpen ? &store : nullptr, Flags(), name, nType, &text,
                                                    pDefault != nullptr ? fallback.c_str() : nullptr);
    if (IsLoading() && bResult)
        strValue = FromU16(text);
    return bResult;
}

BOOL CKitPropExchangeRegistry::ExchangeBinary(LPCTSTR pszName, BYTE** ppBuffer, DWORD* pnSize)
{
    if (!PrepareExchange())
        return FALSE;
    CRegistryValueStore store(m_hSectionKey);
    if (IsStoring())
        return store.Set(ToU16(pszName), kit::kRegBinary, {*ppBuffer, static_cast<size_t>(*pnSize)});
    uint32_t size = *pnSize;
    if (!kit::LoadRegistryBinary(store, ToU16(pszName), ppBuffer, &size))
        return FALSE;
    *pnSize = size;
    return TRUE;
}

CKitPropExchange* CKitPropExchangeRegistry::OpenSection(LPCTSTR pszName)
{
    PrepareExchange();
    auto* pSection = new CKitPropExchangeRegistry(IsLoading(), m_hSectionKey, pszName);
    pSection->InheritFrom(*this);
    return pSection;
}

BOOL CKitPropExchangeRegistry::ClearSection()
{
    m_bSectionEmptied = TRUE;
    CloseSectionKey();
    if (m_hParentKey != nullptr)
        ::RegDeleteTreeW(m_hParentKey, m_strSection);
    // The next access creates the key again.
    m_bPrepared = FALSE;
    return TRUE;
}
