#include "CRichEditLibrary.h"

CRichEditLibrary& CRichEditLibrary::Instance()
{
    static CRichEditLibrary library;
    return library;
}

CRichEditLibrary::CRichEditLibrary()
{
    m_hModule = ::LoadLibraryW(L"RICHED20.DLL");
    if (m_hModule != nullptr)
    {
        m_pszClass = L"RichEdit20W";
        m_bVersion2 = TRUE;
        return;
    }
    m_hModule = ::LoadLibraryW(L"RICHED32.DLL");
    if (m_hModule != nullptr)
        m_pszClass = L"RICHEDIT";
}

CRichEditLibrary::~CRichEditLibrary()
{
    if (m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
}
