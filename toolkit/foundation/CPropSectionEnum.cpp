#include "CPropSectionEnum.h"

#include "CKitPropExchange.h"

UINT CPropSectionEnum::Begin(DWORD nCount, BOOL bNative)
{
    m_nCount = nCount;
    if (bNative)
    {
        if (m_pPX->IsStoring())
            m_pPX->StoreCount(nCount);
        else
            m_nCount = m_pPX->LoadCount();
    }
    else
    {
        long nValue = static_cast<long>(nCount);
        ExchangeLong(m_pPX, L"Count", nValue, 0);
        m_nCount = static_cast<DWORD>(nValue);
    }
    return m_nCount != 0 ? 1 : 0;
}

CKitPropExchange* CPropSectionEnum::GetNext(UINT& nPosition)
{
    CString name;
    name.Format(L"%s%i", static_cast<LPCWSTR>(m_strBaseName), static_cast<int>(nPosition - 1));
    nPosition = nPosition < m_nCount ? nPosition + 1 : 0;
    return m_pPX->OpenSection(name);
}
