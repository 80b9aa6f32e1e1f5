// CArray: a growable array of TYPE, passed in as ARG_TYPE.
//
// Growth: unless SetSize was given a step, a full array grows by an eighth
// of its size, at least 4 and at most 1024 elements. The first allocation
// takes exactly the size asked for.
#pragma once

#include "CollectionElements.h"
#include "CObject.h"
#include "Plex.h"

#include <algorithm>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    ~CArray() override { SetSize(0); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[CheckedIndex(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[CheckedIndex(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckedIndex(nIndex)] = newElement; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0; // 0: by an eighth of the size

private:
    INT_PTR CheckedIndex(INT_PTR nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return nIndex;
    }
    void Reallocate(INT_PTR nNewMax);
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = static_cast<TYPE*>(AfxAllocateElements(static_cast<size_t>(nNewMax), sizeof(TYPE)));
    for (INT_PTR i = 0; i < m_nSize; ++i)
    {
        ::new (static_cast<void*>(pNewData + i)) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    AfxFreeElements(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    ASSERT(nNewSize >= 0);
    nNewSize = std::max<INT_PTR>(nNewSize, 0);
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0)
    {
        DestructElements(m_pData, m_nSize);
        AfxFreeElements(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (m_pData == nullptr)
    {
        m_pData = static_cast<TYPE*>(AfxAllocateElements(static_cast<size_t>(nNewSize), sizeof(TYPE)));
        m_nMaxSize = nNewSize;
    }
    else if (nNewSize > m_nMaxSize)
    {
        INT_PTR grow = m_nGrowBy;
        if (grow == 0)
            grow = std::clamp<INT_PTR>(m_nSize / 8, 4, 1024);
        Reallocate(std::max(nNewSize, m_nMaxSize + grow));
    }

    if (nNewSize > m_nSize)
        ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
    else
        DestructElements(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0)
    {
        SetSize(0);
        return;
    }
    Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    ASSERT(nIndex >= 0);
    TYPE value(newElement); // the argument may live in this array
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1);
    m_pData[nIndex] = std::move(value);
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    const INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    ASSERT(this != &src);
    const INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize);
    std::copy(src.m_pData, src.m_pData + src.m_nSize, m_pData + nOldSize);
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    std::copy(src.m_pData, src.m_pData + src.m_nSize, m_pData);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount > 0);
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE value(newElement); // the argument may live in this array
    if (nIndex >= m_nSize)
    {
        SetSize(nIndex + nCount);
    }
    else
    {
        const INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    std::fill(m_pData + nIndex, m_pData + nIndex + nCount, value);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    ASSERT(pNewArray != nullptr && pNewArray != this);
    if (pNewArray == nullptr || pNewArray->m_nSize == 0)
        return;
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->m_nSize);
    for (INT_PTR i = 1; i < pNewArray->m_nSize; ++i)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    if (nIndex < 0 || nCount <= 0 || nIndex + nCount > m_nSize)
        return;
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    DestructElements(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
    }
    else
    {
        const DWORD_PTR nCount = ar.ReadCount();
        ar.RequireBytes(nCount * StoredElementMinimum(m_pData));
        SetSize(static_cast<INT_PTR>(nCount));
    }
    SerializeElements(ar, m_pData, m_nSize);
}
