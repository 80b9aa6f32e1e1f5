// The members of a cabinet, listed through the FDI functions of the system's
// "Cabinet.dll" (loaded for one listing). Every member is skipped: nothing is
// written anywhere.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct CCabEntry
{
    std::wstring name;    // after the last "\" of the member's path
    std::wstring folder;  // up to and including that "\"; empty for none
    int32_t size = 0;     // uncompressed
    uint32_t dosDateTime = 0;
    uint16_t attributes = 0;
};

// The members in reverse order of the cabinet (the last member first). FALSE when
// the library or one of its functions is missing or the cabinet cannot be read.
BOOL ListCabinet(const std::wstring& cabinetPath, std::vector<CCabEntry>& entries);
