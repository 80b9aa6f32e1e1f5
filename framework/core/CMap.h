// CMap: a hash map from KEY to VALUE.
//
// The table has 17 buckets unless InitHashTable chose another size; entries
// come from blocks of 10. HashKey picks the bucket (a pointer or integer key
// shifted right by 4, a string by hash * 33 + character). A new entry goes to
// the front of its bucket, and iteration walks the buckets in order, so the
// order of GetNextAssoc depends only on the keys and the order of insertion.
#pragma once

#include "CollectionElements.h"
#include "CObject.h"
#include "Plex.h"

#include <cstring>
#include <new>
#include <type_traits>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue; // the bucket
        union
        {
            KEY key;
        };
        union
        {
            VALUE value;
        };
        CAssoc() {}
        ~CAssoc() {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // Adds a default value when the key is new.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Only while the map is empty; the table itself is made now or with the
    // first entry.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;
    CPlex* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;

    using KeyArg = std::remove_cvref_t<ARG_KEY>;

    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket) const;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    ASSERT(m_nCount == 0 && hashSize > 0);
    if (m_nCount != 0 || hashSize == 0)
        return;
    AfxFreeElements(m_pHashTable);
    m_pHashTable = nullptr;
    if (bAllocNow)
    {
        m_pHashTable = static_cast<CAssoc**>(AfxAllocateElements(hashSize, sizeof(CAssoc*)));
        std::memset(m_pHashTable, 0, sizeof(CAssoc*) * hashSize);
    }
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != nullptr)
    {
        for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket)
        {
            for (CAssoc* pAssoc = m_pHashTable[bucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
            {
                pAssoc->key.~KEY();
                pAssoc->value.~VALUE();
            }
        }
        AfxFreeElements(m_pHashTable);
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
    m_pFreeList = nullptr;
    if (m_pBlocks != nullptr)
        m_pBlocks->FreeDataChain();
    m_pBlocks = nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (m_pFreeList == nullptr)
    {
        CPlex* block = CPlex::Create(m_pBlocks, static_cast<size_t>(m_nBlockSize), sizeof(CAssoc));
        CAssoc* assocs = static_cast<CAssoc*>(block->data());
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i)
        {
            CAssoc* assoc = ::new (static_cast<void*>(assocs + i)) CAssoc;
            assoc->pNext = m_pFreeList;
            m_pFreeList = assoc;
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    ::new (static_cast<void*>(&pAssoc->key)) KEY(key);
    try
    {
        ::new (static_cast<void*>(&pAssoc->value)) VALUE();
    }
    catch (...)
    {
        pAssoc->key.~KEY();
        throw;
    }
    m_pFreeList = m_pFreeList->pNext;
    ++m_nCount;
    return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->key.~KEY();
    pAssoc->value.~VALUE();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket) const
{
    nHashBucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
    {
        if (CompareElements<KEY, KeyArg>(&pAssoc->key, &key))
            return pAssoc;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT bucket = 0;
    CAssoc* pAssoc = GetAssocAt(key, bucket);
    if (pAssoc == nullptr)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT bucket = 0;
    CAssoc* pAssoc = GetAssocAt(key, bucket);
    if (pAssoc == nullptr)
    {
        if (m_pHashTable == nullptr)
            InitHashTable(m_nHashTableSize);
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = bucket;
        pAssoc->pNext = m_pHashTable[bucket];
        m_pHashTable[bucket] = pAssoc;
    }
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    const UINT bucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    for (CAssoc** ppPrev = &m_pHashTable[bucket]; *ppPrev != nullptr; ppPrev = &(*ppPrev)->pNext)
    {
        CAssoc* pAssoc = *ppPrev;
        if (CompareElements<KEY, KeyArg>(&pAssoc->key, &key))
        {
            *ppPrev = pAssoc->pNext;
            FreeAssoc(pAssoc);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    ASSERT(m_pHashTable != nullptr && rNextPosition != nullptr);
    CAssoc* pAssocRet = reinterpret_cast<CAssoc*>(rNextPosition);
    if (rNextPosition == BEFORE_START_POSITION)
    {
        pAssocRet = nullptr;
        for (UINT bucket = 0; bucket < m_nHashTableSize && pAssocRet == nullptr; ++bucket)
            pAssocRet = m_pHashTable[bucket];
    }
    CAssoc* pAssocNext = pAssocRet->pNext;
    for (UINT bucket = pAssocRet->nHashValue + 1; pAssocNext == nullptr && bucket < m_nHashTableSize; ++bucket)
        pAssocNext = m_pHashTable[bucket];
    rNextPosition = reinterpret_cast<POSITION>(pAssocNext);
    rKey = pAssocRet->key;
    rValue = pAssocRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (UINT bucket = 0; m_pHashTable != nullptr && bucket < m_nHashTableSize; ++bucket)
        {
            for (CAssoc* pAssoc = m_pHashTable[bucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
            {
                SerializeElements(ar, &pAssoc->key, 1);
                SerializeElements(ar, &pAssoc->value, 1);
            }
        }
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    ar.RequireBytes(nCount * (StoredElementMinimum(static_cast<const KEY*>(nullptr)) +
                              StoredElementMinimum(static_cast<const VALUE*>(nullptr))));
    while (nCount-- > 0)
    {
        KEY newKey{};
        VALUE newValue{};
        SerializeElements(ar, &newKey, 1);
        SerializeElements(ar, &newValue, 1);
        SetAt(newKey, newValue);
    }
}
