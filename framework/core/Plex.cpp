#include "Plex.h"

#include "Exceptions.h"

#include <limits>
#include <new>

void* AFXAPI AfxAllocateElements(size_t nCount, size_t cbElement)
{
    if (cbElement != 0 && nCount > std::numeric_limits<size_t>::max() / cbElement)
        AfxThrowMemoryException();
    try
    {
        return ::operator new(nCount * cbElement);
    }
    catch (const std::bad_alloc&)
    {
        AfxThrowMemoryException();
    }
}

void AFXAPI AfxFreeElements(void* p) noexcept
{
    ::operator delete(p);
}

CPlex* AFXAPI CPlex::Create(CPlex*& pHead, size_t nMax, size_t cbElement)
{
    if (nMax == 0 || cbElement > (std::numeric_limits<size_t>::max() - sizeof(CPlex)) / nMax)
        AfxThrowMemoryException();
    void* memory = AfxAllocateElements(1, sizeof(CPlex) + nMax * cbElement);
    CPlex* block = ::new (memory) CPlex{pHead};
    pHead = block;
    return block;
}

void CPlex::FreeDataChain()
{
    CPlex* block = this;
    while (block != nullptr)
    {
        CPlex* next = block->pNext;
        block->~CPlex();
        AfxFreeElements(block);
        block = next;
    }
}
