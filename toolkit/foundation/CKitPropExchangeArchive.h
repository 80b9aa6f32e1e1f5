// CKitPropExchangeArchive: the property exchange over one framework archive.
// Values follow each other in call order without names; every section shares
// the one stream, so loading must make the same calls in the same order as
// storing did.
#pragma once

#include "CKitPropExchange.h"

class CKitPropExchangeArchive : public CKitPropExchange
{
    DECLARE_DYNAMIC(CKitPropExchangeArchive)
public:
    explicit CKitPropExchangeArchive(CArchive& ar);

    BOOL ExchangeValue(LPCTSTR pszName, WORD nType, void* pValue, const void* pDefault) override;
    BOOL ExchangeBinary(LPCTSTR pszName, BYTE** ppBuffer, DWORD* pnSize) override;
    BOOL ExchangeClass(LPCTSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass) override;
    BOOL ExchangeInstance(CObject** ppObject, CRuntimeClass* pBaseClass) override;
    CArchive* OpenArchive(LPCTSTR pszName) override;
    void CloseArchive(LPCTSTR pszName, CArchive* pArchive) override;
    CKitPropExchange* OpenSection(LPCTSTR pszName) override;
    void StoreCount(DWORD nCount) override;
    DWORD LoadCount() override;
    void StoreBytes(LPCTSTR pszName, const void* pData, DWORD nSize) override;
    DWORD LoadBytes(LPCTSTR pszName, void* pData, DWORD nSize) override;
    BOOL CanOmitDefaults() const override { return FALSE; }
    BOOL CanStoreBlobs() const override { return TRUE; }

    CArchive& GetArchive() const { return m_ar; }

private:
    // A framework value through its archive operators, in this exchange's direction.
    template <class Value>
    void ExchangeWithArchive(Value& value)
    {
        if (IsLoading())
            m_ar >> value;
        else
            m_ar << value;
    }

    CArchive& m_ar;  // not owned
};
