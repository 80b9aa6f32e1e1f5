#include "CKitPropExchangeArchive.h"

#include "ArchiveStreams.h"

IMPLEMENT_DYNAMIC(CKitPropExchangeArchive, CKitPropExchange)

CKitPropExchangeArchive::CKitPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
}

BOOL CKitPropExchangeArchive::ExchangeValue(LPCTSTR /*pszName*/, WORD nType, void* pValue, const void* /*pDefault*/)
{
    if (!PrepareExchange())
        return FALSE;
    switch (nType)
    {
    case PX_STRING:
        ExchangeWithArchive(*static_cast<CString*>(pValue));
        break;
    case PX_DATE:
        ExchangeWithArchive(*static_cast<COleDateTime*>(pValue));
        break;
    case PX_VARIANT:
        ExchangeWithArchive(*static_cast<COleVariant*>(pValue));
        break;
    default:
        // Numbers, RECT and SIZE as their bytes; BSTR and unknown codes take no room.
        if (IsLoading())
        {
            CArchiveReaderStream reader(m_ar);
            kit::ExchangeArchiveValue(&reader, nullptr, nType, pValue);
        }
        else
        {
            CArchiveWriterStream writer(m_ar);
            kit::ExchangeArchiveValue(nullptr, &writer, nType, pValue);
        }
        break;
    }
    return TRUE;
}

BOOL CKitPropExchangeArchive::ExchangeBinary(LPCTSTR /*pszName*/, BYTE** ppBuffer, DWORD* pnSize)
{
    if (IsStoring())
    {
        CArchiveWriterStream writer(m_ar);
        kit::StoreArchiveBinary(writer, *ppBuffer, *pnSize);
        return TRUE;
    }
    CArchiveReaderStream reader(m_ar);
    uint32_t size = *pnSize;
    if (!kit::LoadArchiveBinary(reader, ppBuffer, &size))
        return FALSE;
    *pnSize = size;
    return TRUE;
}

BOOL CKitPropExchangeArchive::ExchangeClass(LPCTSTR /*pszName*/, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass)
{
    if (IsStoring())
    {
        m_ar.WriteClass(*ppClass);
        return TRUE;
    }
    UINT nSchema = 0;
    CRuntimeClass* pClass = m_ar.ReadClass(pBaseClass, &nSchema);
    if (pClass == nullptr)
        return FALSE;
    *ppClass = pClass;
    m_nSchema = nSchema;
    return TRUE;
}

BOOL CKitPropExchangeArchive::ExchangeInstance(CObject** ppObject, CRuntimeClass* pBaseClass)
{
    if (!CKitPropExchange::ExchangeInstance(ppObject, pBaseClass))
        return FALSE;
    // Later references to the object through this archive are written as references.
    m_ar.MapObject(*ppObject);
    return TRUE;
}

CArchive* CKitPropExchangeArchive::OpenArchive(LPCTSTR /*pszName*/)
{
    return &m_ar;
}

void CKitPropExchangeArchive::CloseArchive(LPCTSTR /*pszName*/, CArchive* /*pArchive*/)
{
}

CKitPropExchange* CKitPropExchangeArchive::OpenSection(LPCTSTR /*pszName*/)
{
    auto* pSection = new CKitPropExchangeArchive(m_ar);
    pSection->InheritFrom(*this);
    return pSection;
}

void CKitPropExchangeArchive::StoreCount(DWORD nCount)
{
    m_ar.WriteCount(nCount);
}

DWORD CKitPropExchangeArchive::LoadCount()
{
    return static_cast<DWORD>(m_ar.ReadCount());
}

void CKitPropExchangeArchive::StoreBytes(LPCTSTR /*pszName*/, const void* pData, DWORD nSize)
{
    m_ar.Write(pData, nSize);
}

DWORD CKitPropExchangeArchive::LoadBytes(LPCTSTR /*pszName*/, void* pData, DWORD nSize)
{
    return m_ar.Read(pData, nSize);
}
