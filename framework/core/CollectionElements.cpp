#include "CollectionElements.h"

template <>
UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    UINT nHash = 0;
    if (key != nullptr)
    {
        while (*key != L'\0')
            nHash = (nHash << 5) + nHash + static_cast<UINT>(*key++);
    }
    return nHash;
}

template <>
UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCWSTR>(key);
}

void SerializeElements(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; ++pElements)
    {
        if (ar.IsStoring())
            ar << *pElements;
        else
            ar >> *pElements;
    }
}

void SerializeElements(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; ++pElements)
    {
        if (ar.IsStoring())
            ar << *pElements;
        else
            ar >> *pElements;
    }
}
