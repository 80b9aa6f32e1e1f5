// An export found at run time, as the function type the caller declares.
#pragma once

#include <windows.h>

template <class Fn>
Fn BoundFunction(HMODULE hModule, const char* lpszName)
{
    if (!hModule)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName)));
}

template <class Fn>
Fn FunctionCast(FARPROC pfn)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(pfn));
}
