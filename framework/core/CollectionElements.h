// How the collection templates hash, compare and store their elements.
// Specialise or overload these for element types of your own.
#pragma once

#include "CArchive.h"

#include <new>
#include <type_traits>

template <class TYPE>
void ConstructElements(TYPE* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; ++pElements)
        ::new (static_cast<void*>(pElements)) TYPE();
}

template <class TYPE>
void DestructElements(TYPE* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; ++pElements)
        pElements->~TYPE();
}

template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Integers and pointers: the low four bits of a pointer are mostly alignment.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    return static_cast<UINT>(((DWORD_PTR)key) >> 4);
}

// Strings: hash = hash * 33 + character.
template <>
UINT HashKey<LPCWSTR>(LPCWSTR key);
template <>
UINT HashKey<const CString&>(const CString& key);

// Elements that are plain bytes are stored as they are in memory.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    static_assert(std::is_trivially_copyable_v<TYPE>, "give this element type its own SerializeElements");
    const UINT nBytes = static_cast<UINT>(nCount * sizeof(TYPE));
    if (ar.IsStoring())
        ar.Write(pElements, nBytes);
    else
        ar.EnsureRead(pElements, nBytes);
}

void SerializeElements(CArchive& ar, CString* pElements, INT_PTR nCount);
void SerializeElements(CArchive& ar, CObject** pElements, INT_PTR nCount);

// The fewest bytes one stored element takes, to check a count read from an
// archive against the data that is left before anything is allocated.
template <class TYPE>
constexpr ULONGLONG StoredElementMinimum(const TYPE*)
{
    return sizeof(TYPE);
}
constexpr ULONGLONG StoredElementMinimum(const CString*) { return 1; }
constexpr ULONGLONG StoredElementMinimum(CObject* const*) { return 2; }
