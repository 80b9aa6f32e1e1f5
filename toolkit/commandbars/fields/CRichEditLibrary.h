// The rich-edit library the edit fields of the bars use: version 2 when it
// loads, else version 1, else none (plain edit windows). Loaded once per
// process on first use and freed at exit.
#pragma once

#include <windows.h>

class CRichEditLibrary
{
public:
    static CRichEditLibrary& Instance();
    ~CRichEditLibrary();
    CRichEditLibrary(const CRichEditLibrary&) = delete;
    CRichEditLibrary& operator=(const CRichEditLibrary&) = delete;

    BOOL IsLoaded() const { return m_hModule != nullptr; }
    BOOL IsVersion2() const { return m_bVersion2; }
    LPCWSTR GetClassName() const { return m_pszClass; }

private:
    CRichEditLibrary();

    HMODULE m_hModule = nullptr;
    LPCWSTR m_pszClass = L"EDIT";
    BOOL m_bVersion2 = FALSE;
};
