// CUserSettingsStore: single values of the application profile, under
// HKCU\Software\<registry key>\<profile>, or in an INI file when a settings
// file name is set (blobs then as letter pairs). The list controls keep their
// column widths and the frame its placement here.
#pragma once

#include "Framework.h"

class CUserSettingsStore
{
public:
    CUserSettingsStore() = default;
    virtual ~CUserSettingsStore() = default;
    CUserSettingsStore(const CUserSettingsStore&) = delete;
    CUserSettingsStore& operator=(const CUserSettingsStore&) = delete;

    // The profile key, or null; the caller closes it.
    virtual HKEY OpenAppKey(REGSAM samDesired);
    // The profile's sub-key of that name, created when missing, or null.
    virtual HKEY OpenSectionKey(LPCTSTR pszSection, REGSAM samDesired);

    // 1 on success, -1 when access is denied, 0 otherwise. A null entry deletes
    // the section, a null value the entry.
    int WriteString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszValue);
    int WriteBinary(LPCTSTR pszSection, LPCTSTR pszEntry, const BYTE* pData, UINT nBytes);
    CString GetString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszDefault = nullptr);
    // *ppData is allocated with new[] (the caller deletes it) and cleared first.
    BOOL GetBinary(LPCTSTR pszSection, LPCTSTR pszEntry, BYTE** ppData, UINT* pBytes);

    HKEY m_hRootKey = HKEY_CURRENT_USER;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;

private:
    // Takes the names from the application object when either is missing.
    BOOL ResolveNames();
};

// The process-wide settings file name: empty in this program, so every value
// goes to the registry. The shared metrics keep a pointer to it.
CString& AFXAPI GetSettingsFileName();
