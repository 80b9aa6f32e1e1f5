#include "CKitPropExchange.h"

#include "ArchiveStreams.h"
#include "CPropSectionEnum.h"

#include <cstdlib>
#include <memory>

IMPLEMENT_DYNAMIC(CKitPropExchange, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitPropExchangeXMLNode, CKitPropExchange)
IMPLEMENT_DYNAMIC(CKitPropExchangeIniFile, CKitPropExchange)

namespace {

constexpr int kArchiveBufferSize = 4096;
constexpr UINT kMemFileGrowBy = 1024;

}  // namespace

void CKitPropExchange::InheritFrom(const CKitPropExchange& parent)
{
    m_dwData = parent.m_dwData;
    m_bLoading = parent.m_bLoading;
    m_nSchema = parent.m_nSchema;
    m_bSectionEmptied = parent.m_bSectionEmptied;
    m_bUseDefaultOnLoad = parent.m_bUseDefaultOnLoad;
    m_bUseDefaultOnStore = parent.m_bUseDefaultOnStore;
    m_bSection = TRUE;
}

kit::ExchangeFlags CKitPropExchange::Flags() const
{
    return {m_bLoading != FALSE, m_bUseDefaultOnLoad != FALSE, m_bUseDefaultOnStore != FALSE,
            m_bSectionEmptied != FALSE};
}

// Blobs as a string of letter pairs, for back ends that only keep text.
BOOL CKitPropExchange::ExchangeBinary(LPCTSTR pszName, BYTE** ppBuffer, DWORD* pnSize)
{
    if (IsStoring())
    {
        CString text = FromU16(kit::EncodeLetterPairs({*ppBuffer, static_cast<size_t>(*pnSize)}));
        return ExchangeValue(pszName, PX_STRING, &text, L"");
    }
    CString text;
    if (!ExchangeValue(pszName, PX_STRING, &text, L"") || text.IsEmpty())
        return FALSE;
    const std::optional<std::vector<uint8_t>> bytes = kit::DecodeLetterPairs(ToU16(text));
    uint32_t size = *pnSize;
    if (!bytes || !kit::DeliverBytes(*bytes, ppBuffer, &size))
        return FALSE;
    *pnSize = size;
    return TRUE;
}

// The class by its name, found among the class records of the program.
BOOL CKitPropExchange::ExchangeClass(LPCTSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass)
{
    const CString baseName(pBaseClass != nullptr ? pBaseClass->m_lpszClassName : "");
    if (IsStoring())
    {
        CString name((*ppClass)->m_lpszClassName);
        return ExchangeValue(pszName, PX_STRING, &name, static_cast<LPCWSTR>(baseName));
    }
    CString name;
    if (!ExchangeValue(pszName, PX_STRING, &name, nullptr))
    {
        *ppClass = pBaseClass;
        return TRUE;
    }
    CRuntimeClass* pClass = CRuntimeClass::FromName(static_cast<LPCWSTR>(name));
    if (pClass == nullptr)
        return FALSE;
    *ppClass = pClass;
    return TRUE;
}

BOOL CKitPropExchange::ExchangeInstance(CObject** ppObject, CRuntimeClass* pBaseClass)
{
    CRuntimeClass* pClass = IsStoring() && *ppObject != nullptr ? (*ppObject)->GetRuntimeClass() : nullptr;
    if (IsStoring() && pClass == nullptr)
        return FALSE;
    if (!ExchangeClass(L"Class", &pClass, pBaseClass))
        return FALSE;
    if (IsStoring())
        return TRUE;
    if (pClass == nullptr)
        return FALSE;
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    if (pObject == nullptr || (pBaseClass != nullptr && !pObject->IsKindOf(pBaseClass)))
        return FALSE;
    *ppObject = pObject.release();
    return TRUE;
}

CArchive* CKitPropExchange::OpenArchive(LPCTSTR pszName)
{
    if (IsStoring())
    {
        auto pFile = std::make_unique<CMemFile>(kMemFileGrowBy);
        auto pArchive = std::make_unique<CArchive>(pFile.get(), CArchive::store, kArchiveBufferSize);
        pFile.release();
        return pArchive.release();
    }
    BYTE* pBuffer = nullptr;
    DWORD nSize = 0;
    if (!ExchangeBinary(pszName, &pBuffer, &nSize) || nSize == 0)
    {
        std::free(pBuffer);
        return nullptr;
    }
    // The memory file refers to the blob; CloseArchive frees it.
    auto pFile = std::make_unique<CMemFile>(pBuffer, nSize);
    auto pArchive = std::make_unique<CArchive>(pFile.get(), CArchive::load, kArchiveBufferSize);
    pFile.release();
    return pArchive.release();
}

void CKitPropExchange::CloseArchive(LPCTSTR pszName, CArchive* pArchive)
{
    if (pArchive == nullptr)
        return;
    auto* pFile = static_cast<CMemFile*>(pArchive->GetFile());
    std::unique_ptr<CMemFile> file(pFile);
    std::unique_ptr<CArchive> archive(pArchive);
    if (IsStoring())
    {
        archive->Flush();
        DWORD nSize = static_cast<DWORD>(file->GetLength());
        BYTE* pBytes = file->Detach();
        ExchangeBinary(pszName, &pBytes, &nSize);
        std::free(pBytes);
    }
    else
    {
        std::free(file->Detach());
    }
    archive->Abort();
    file->Close();
}

BOOL CKitPropExchange::ClearSection()
{
    m_bSectionEmptied = TRUE;
    return TRUE;
}

void CKitPropExchange::StoreCount(DWORD nCount)
{
    long nValue = static_cast<long>(nCount);
    ExchangeLong(this, L"Count", nValue, 0);
}

DWORD CKitPropExchange::LoadCount()
{
    long nValue = 0;
    ExchangeLong(this, L"Count", nValue, 0);
    return static_cast<DWORD>(nValue);
}

void CKitPropExchange::StoreBytes(LPCTSTR pszName, const void* pData, DWORD nSize)
{
    BYTE* pBuffer = static_cast<BYTE*>(const_cast<void*>(pData));
    ExchangeBinary(pszName, &pBuffer, &nSize);
}

DWORD CKitPropExchange::LoadBytes(LPCTSTR pszName, void* pData, DWORD nSize)
{
    BYTE* pBuffer = static_cast<BYTE*>(pData);
    return ExchangeBinary(pszName, &pBuffer, &nSize) ? nSize : 0;
}

BOOL CKitPropExchange::PrepareExchange()
{
    m_bPrepared = TRUE;
    return TRUE;
}

CPropSectionEnum* CKitPropExchange::CreateSectionEnum(LPCTSTR pszBaseName)
{
    return new CPropSectionEnum(this, pszBaseName);
}

BOOL CKitPropExchange::ExchangeSchema()
{
    long nSchema = static_cast<long>(m_nSchema);
    const BOOL bResult = ExchangeLong(this, L"Schema", nSchema, 16);
    m_nSchema = static_cast<UINT>(nSchema);
    return bResult;
}

BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, long& nValue, long nDefault)
{
    return pPX->ExchangeValue(pszName, PX_LONG, &nValue, &nDefault);
}

BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, long& nValue)
{
    return pPX->ExchangeValue(pszName, PX_LONG, &nValue, nullptr);
}

BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, int& nValue, int nDefault)
{
    static_assert(sizeof(int) == sizeof(long), "a 32-bit integer either way");
    return pPX->ExchangeValue(pszName, PX_LONG, &nValue, &nDefault);
}

BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, int& nValue)
{
    return pPX->ExchangeValue(pszName, PX_LONG, &nValue, nullptr);
}

BOOL AFXAPI ExchangeBool(CKitPropExchange* pPX, LPCTSTR pszName, BOOL& bValue, BOOL bDefault)
{
    return pPX->ExchangeValue(pszName, PX_BOOL, &bValue, &bDefault);
}

BOOL AFXAPI ExchangeString(CKitPropExchange* pPX, LPCTSTR pszName, CString& strValue, LPCTSTR pszDefault)
{
    return pPX->ExchangeValue(pszName, PX_STRING, &strValue, pszDefault);
}

BOOL AFXAPI ExchangeString(CKitPropExchange* pPX, LPCTSTR pszName, CString& strValue)
{
    return pPX->ExchangeValue(pszName, PX_STRING, &strValue, nullptr);
}

BOOL AFXAPI ExchangeSize(CKitPropExchange* pPX, LPCTSTR pszName, SIZE& szValue, SIZE szDefault)
{
    return pPX->ExchangeValue(pszName, PX_SIZE, &szValue, &szDefault);
}

BOOL AFXAPI ExchangeRect(CKitPropExchange* pPX, LPCTSTR pszName, RECT& rcValue, RECT rcDefault)
{
    return pPX->ExchangeValue(pszName, PX_RECT, &rcValue, &rcDefault);
}

BOOL AFXAPI ExchangeSchema(CKitPropExchange* pPX)
{
    return pPX->ExchangeSchema();
}

BOOL AFXAPI ExchangeClass(CKitPropExchange* pPX, LPCTSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pBaseClass)
{
    return pPX->ExchangeClass(pszName, &pClass, pBaseClass);
}

BOOL AFXAPI ExchangeBinary(CKitPropExchange* pPX, LPCTSTR pszName, BYTE*& pBuffer, DWORD& nSize)
{
    return pPX->ExchangeBinary(pszName, &pBuffer, &nSize);
}

BOOL AFXAPI ExchangeObject(CKitPropExchange* pPX, LPCTSTR pszName, CObject* pObject)
{
    CArchive* pArchive = pPX->OpenArchive(pszName);
    if (pArchive == nullptr)
        return FALSE;
    BOOL bResult = TRUE;
    try
    {
        pObject->Serialize(*pArchive);
    }
    catch (CException* e)
    {
        if (!e->IsKindOf(RUNTIME_CLASS(CArchiveException)) && !e->IsKindOf(RUNTIME_CLASS(COleException)))
        {
            pPX->CloseArchive(pszName, pArchive);
            throw;
        }
        e->Delete();
        bResult = FALSE;
    }
    pPX->CloseArchive(pszName, pArchive);
    return bResult;
}
