// Small window and library chores the viewers share.
#pragma once

#include "Framework.h"

// Gives the child, when it has a window, the whole client area of its parent.
inline void FillClientWith(CWnd& parent, CWnd* pChild)
{
    if (pChild == nullptr || pChild->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    parent.GetClientRect(&client);
    pChild->MoveWindow(&client, TRUE);
}

// An export of a loaded library as the function type it has; null when missing.
template <typename Function>
Function ProcAddress(HMODULE hModule, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(hModule, name)));
}
