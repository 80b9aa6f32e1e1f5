// CKitPropExchangeRegistry: the property exchange over a registry key. Each
// section is a sub-key, each value a named registry value; the key is created
// on first access and closed with the exchange.
#pragma once

#include "CKitPropExchange.h"

class CKitPropExchangeRegistry : public CKitPropExchange
{
    DECLARE_DYNAMIC(CKitPropExchangeRegistry)
public:
    // hParentKey stays the caller's and must stay open while the exchange and
    // its sections live.
    CKitPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR pszSection);
    ~CKitPropExchangeRegistry() override;

    BOOL ExchangeValue(LPCTSTR pszName, WORD nType, void* pValue, const void* pDefault) override;
    BOOL ExchangeBinary(LPCTSTR pszName, BYTE** ppBuffer, DWORD* pnSize) override;
    CKitPropExchange* OpenSection(LPCTSTR pszName) override;
    BOOL ClearSection() override;
    BOOL CanStoreBlobs() const override { return TRUE; }
    BOOL PrepareExchange() override;

    HKEY GetSectionKey() const { return m_hSectionKey; }

private:
    void CloseSectionKey();

    HKEY m_hSectionKey = nullptr;
    HKEY m_hParentKey;
    CString m_strSection;
};
