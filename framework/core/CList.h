// CList: a doubly linked list of TYPE whose nodes come from blocks of
// nBlockSize (10 by default). A POSITION is a node; removed nodes are kept
// for reuse until the list empties, which frees every block.
#pragma once

#include "CollectionElements.h"
#include "CObject.h"
#include "Plex.h"

#include <new>
#include <type_traits>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        union
        {
            TYPE data; // constructed only while the node is in the list
        };
        CNode() {}
        ~CNode() {}
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NodeOf(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NodeOf(m_pNodeHead)->data; }
    TYPE& GetTail() { return NodeOf(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NodeOf(m_pNodeTail)->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    void AddHead(const CList* pNewList);
    void AddTail(const CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition);
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    const TYPE& GetPrev(POSITION& rPosition) const;
    TYPE& GetAt(POSITION position) { return NodeOf(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeOf(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeOf(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // NULL inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // NULL when not found; the search starts after startAfter when given.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;

protected:
    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CNode* m_pNodeFree = nullptr;
    CPlex* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;

    static CNode* NodeOf(POSITION position)
    {
        ASSERT(position != nullptr);
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NodeOf(CNode* node)
    {
        ASSERT(node != nullptr);
        return node;
    }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void FreeNode(CNode* pNode);
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    if (m_pNodeFree == nullptr)
    {
        CPlex* block = CPlex::Create(m_pBlocks, static_cast<size_t>(m_nBlockSize), sizeof(CNode));
        CNode* nodes = static_cast<CNode*>(block->data());
        // Chained from the last, so the block is handed out front to back.
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i)
        {
            CNode* node = ::new (static_cast<void*>(nodes + i)) CNode;
            node->pNext = m_pNodeFree;
            m_pNodeFree = node;
        }
    }
    CNode* pNode = m_pNodeFree;
    ::new (static_cast<void*>(&pNode->data)) TYPE(newElement);
    m_pNodeFree = m_pNodeFree->pNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ++m_nCount;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* node = m_pNodeHead; node != nullptr; node = node->pNext)
        node->data.~TYPE();
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
    if (m_pBlocks != nullptr)
        m_pBlocks->FreeDataChain();
    m_pBlocks = nullptr;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pOld = NodeOf(m_pNodeHead);
    TYPE value(std::move(pOld->data));
    m_pNodeHead = pOld->pNext;
    if (m_pNodeHead != nullptr)
        m_pNodeHead->pPrev = nullptr;
    else
        m_pNodeTail = nullptr;
    FreeNode(pOld);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pOld = NodeOf(m_pNodeTail);
    TYPE value(std::move(pOld->data));
    m_pNodeTail = pOld->pPrev;
    if (m_pNodeTail != nullptr)
        m_pNodeTail->pNext = nullptr;
    else
        m_pNodeHead = nullptr;
    FreeNode(pOld);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(const CList* pNewList)
{
    ASSERT(pNewList != this);
    for (POSITION pos = pNewList->GetTailPosition(); pos != nullptr;)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(const CList* pNewList)
{
    ASSERT(pNewList != this);
    for (POSITION pos = pNewList->GetHeadPosition(); pos != nullptr;)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition)
{
    CNode* pNode = NodeOf(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pNext);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
    CNode* pNode = NodeOf(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pNext);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition)
{
    CNode* pNode = NodeOf(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
    CNode* pNode = NodeOf(rPosition);
    rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = NodeOf(position);
    if (pOld == m_pNodeHead)
        m_pNodeHead = pOld->pNext;
    else
        pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pNodeTail)
        m_pNodeTail = pOld->pPrev;
    else
        pOld->pNext->pPrev = pOld->pPrev;
    FreeNode(pOld);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == nullptr)
    {
        CNode* pNew = NewNode(nullptr, m_pNodeHead, newElement);
        if (m_pNodeHead != nullptr)
            m_pNodeHead->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        m_pNodeHead = pNew;
        return reinterpret_cast<POSITION>(pNew);
    }
    CNode* pOld = NodeOf(position);
    CNode* pNew = NewNode(pOld->pPrev, pOld, newElement);
    if (pOld->pPrev != nullptr)
        pOld->pPrev->pNext = pNew;
    else
        m_pNodeHead = pNew;
    pOld->pPrev = pNew;
    return reinterpret_cast<POSITION>(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == nullptr)
    {
        CNode* pNew = NewNode(m_pNodeTail, nullptr, newElement);
        if (m_pNodeTail != nullptr)
            m_pNodeTail->pNext = pNew;
        else
            m_pNodeHead = pNew;
        m_pNodeTail = pNew;
        return reinterpret_cast<POSITION>(pNew);
    }
    CNode* pOld = NodeOf(position);
    CNode* pNew = NewNode(pOld, pOld->pNext, newElement);
    if (pOld->pNext != nullptr)
        pOld->pNext->pPrev = pNew;
    else
        m_pNodeTail = pNew;
    pOld->pNext = pNew;
    return reinterpret_cast<POSITION>(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == nullptr ? m_pNodeHead : NodeOf(startAfter)->pNext;
    for (; pNode != nullptr; pNode = pNode->pNext)
    {
        if (CompareElements<TYPE, std::remove_cvref_t<ARG_TYPE>>(&pNode->data, &searchValue))
            return reinterpret_cast<POSITION>(pNode);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return reinterpret_cast<POSITION>(pNode);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
            SerializeElements(ar, &pNode->data, 1);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    ar.RequireBytes(nCount * StoredElementMinimum(static_cast<const TYPE*>(nullptr)));
    while (nCount-- > 0)
    {
        TYPE newData{};
        SerializeElements(ar, &newData, 1);
        AddTail(newData);
    }
}
