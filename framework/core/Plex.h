// Blocks of equal-sized elements for the list and map nodes: nodes are taken
// from a block at a time and only returned when the whole collection empties.
#pragma once

#include "FrameworkBase.h"

#include <cstddef>

struct alignas(std::max_align_t) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }

    // Allocates a block of nMax elements of cbElement bytes and puts it at
    // the head of the chain; throws CMemoryException.
    static CPlex* AFXAPI Create(CPlex*& pHead, size_t nMax, size_t cbElement);
    // Frees this block and every block after it.
    void FreeDataChain();
};

// Raw storage for the array family; throws CMemoryException.
void* AFXAPI AfxAllocateElements(size_t nCount, size_t cbElement);
void AFXAPI AfxFreeElements(void* p) noexcept;
