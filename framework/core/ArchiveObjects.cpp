// Objects and classes in an archive.
//
// Every class and object written gets the next index of the archive's map;
// index 0 is the null object. A tag is 16 bits:
//   0x0000          null object
//   0xFFFF          a new class follows (its record: schema, name length, name)
//   0x8000 | index  a class written before, a new object of it follows
//   index           an object written before (a back-reference)
//   0x7FFF          a 32-bit tag follows: the index, with 0x80000000 for a class
// After a new class or a class reference come the object's own bytes.
#include "CArchive.h"

#include "Collections.h"

namespace {

constexpr WORD wNullTag = 0;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr WORD wClassTag = 0x8000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr DWORD dwBigClassTag = 0x80000000;
constexpr UINT nMaxMapCount = 0x3FFFFFFE;

void* IndexAsPointer(UINT nIndex)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(nIndex));
}

UINT PointerAsIndex(void* p)
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(p));
}

} // namespace

void CArchive::SetStoreParams(UINT nHashSize, UINT /*nBlockSize*/)
{
    ASSERT(m_pStoreMap == nullptr);
    m_nHashSize = nHashSize > 0 ? nHashSize : 2053;
}

void CArchive::SetLoadParams(UINT nGrowBy)
{
    ASSERT(m_pLoadArray == nullptr);
    m_nGrowSize = nGrowBy > 0 ? nGrowBy : 1024;
}

void CArchive::CheckMapCount() const
{
    if (m_nMapCount >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
}

void CArchive::InitStoreMap()
{
    if (m_pStoreMap != nullptr)
        return;
    m_pStoreMap = new CMapPtrToPtr;
    m_pStoreMap->InitHashTable(m_nHashSize);
    m_pStoreMap->SetAt(nullptr, IndexAsPointer(wNullTag));
    m_nMapCount = 1;
}

void CArchive::InitLoadArray()
{
    if (m_pLoadArray != nullptr)
        return;
    m_pLoadArray = new CPtrArray;
    m_pLoadArray->SetSize(1, static_cast<INT_PTR>(m_nGrowSize));
    m_pLoadArray->SetAt(0, nullptr);
    m_loadedIsClass.assign(1, false);
    m_nMapCount = 1;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        InitStoreMap();
        if (pOb != nullptr)
        {
            CheckMapCount();
            m_pStoreMap->SetAt(const_cast<CObject*>(pOb), IndexAsPointer(m_nMapCount++));
        }
    }
    else
    {
        InitLoadArray();
        if (pOb != nullptr)
        {
            CheckMapCount();
            m_pLoadArray->SetAtGrow(m_nMapCount, const_cast<CObject*>(pOb));
            m_loadedIsClass.push_back(false);
            ++m_nMapCount;
        }
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (!pClassRef->IsSerializable())
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    InitStoreMap();

    void* pIndex = nullptr;
    if (m_pStoreMap->Lookup(const_cast<CRuntimeClass*>(pClassRef), pIndex))
    {
        const UINT nClassIndex = PointerAsIndex(pIndex);
        if (nClassIndex < wBigObjectTag)
            *this << static_cast<WORD>(wClassTag | nClassIndex);
        else
            *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | nClassIndex);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckMapCount();
    m_pStoreMap->SetAt(const_cast<CRuntimeClass*>(pClassRef), IndexAsPointer(m_nMapCount++));
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr)
    {
        *this << wNullTag;
        return;
    }
    InitStoreMap();

    void* pIndex = nullptr;
    if (m_pStoreMap->Lookup(const_cast<CObject*>(pOb), pIndex))
    {
        const UINT nObIndex = PointerAsIndex(pIndex);
        if (nObIndex < wBigObjectTag)
            *this << static_cast<WORD>(nObIndex);
        else
            *this << wBigObjectTag << static_cast<DWORD>(nObIndex);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckMapCount();
    m_pStoreMap->SetAt(const_cast<CObject*>(pOb), IndexAsPointer(m_nMapCount++));
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    InitLoadArray();

    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if ((obTag & dwBigClassTag) == 0)
    {
        // An object reference where a class was required.
        if (pObTag == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema)
        {
            if ((pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0)
                AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
            if (m_pSchemaMap == nullptr)
                m_pSchemaMap = new CMapPtrToPtr;
            m_pSchemaMap->SetAt(pClassRef, IndexAsPointer(nSchema));
        }
        CheckMapCount();
        m_pLoadArray->SetAtGrow(m_nMapCount, pClassRef);
        m_loadedIsClass.push_back(true);
        ++m_nMapCount;
    }
    else
    {
        const DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_nMapCount || !m_loadedIsClass[nClassIndex])
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_pLoadArray->GetAt(static_cast<INT_PTR>(nClassIndex)));
        void* pStoredSchema = nullptr;
        if (m_pSchemaMap != nullptr && m_pSchemaMap->Lookup(pClassRef, pStoredSchema))
            nSchema = PointerAsIndex(pStoredSchema);
        else
            nSchema = pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema, nullptr);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr)
    {
        // A reference to an object read before (or the null object).
        if (obTag >= m_nMapCount || m_loadedIsClass[obTag])
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = static_cast<CObject*>(m_pLoadArray->GetAt(static_cast<INT_PTR>(obTag)));
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);

    // Mapped before its data is read, so the object's own members can refer
    // back to it.
    CheckMapCount();
    const UINT nIndex = m_nMapCount;
    m_pLoadArray->SetAtGrow(nIndex, pOb);
    m_loadedIsClass.push_back(false);
    ++m_nMapCount;

    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // The caller never receives the half-read object; it is released here
        // and the error goes on to the caller.
        m_pLoadArray->SetAt(nIndex, nullptr);
        delete pOb;
        throw;
    }
    return pOb;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
