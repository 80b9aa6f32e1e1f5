// CWinApp's profile: the registry under the application's key when
// SetRegistryKey was called, an INI file otherwise.
#include "CWinApp.h"

#include <cstdlib>
#include <vector>

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    free(const_cast<LPTSTR>(m_pszRegistryKey));
    m_pszRegistryKey = _wcsdup(lpszRegistryKey);
    free(const_cast<LPTSTR>(m_pszProfileName));
    m_pszProfileName = _wcsdup(m_pszAppName != nullptr ? m_pszAppName : L"Application");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr)
        return nullptr;
    CString path;
    path.Format(L"Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == nullptr)
        return nullptr;
    HKEY hSection = nullptr;
    ::RegCreateKeyExW(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &hSection, nullptr);
    ::RegCloseKey(hAppKey);
    return hSection;
}

// Closes the key when it leaves scope.
namespace
{
struct ScopedKey
{
    HKEY hKey;
    ~ScopedKey()
    {
        if (hKey != nullptr)
            ::RegCloseKey(hKey);
    }
};

CString IniPath(LPCTSTR lpszProfileName)
{
    return lpszProfileName != nullptr ? CString(lpszProfileName) : CString(L"win.ini");
}
} // namespace

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, IniPath(m_pszProfileName));
    ScopedKey section{GetSectionKey(lpszSection)};
    if (section.hKey == nullptr)
        return static_cast<UINT>(nDefault);
    DWORD value = 0, type = 0, size = sizeof(value);
    if (::RegQueryValueExW(section.hKey, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr)
    {
        CString text;
        text.Format(L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, IniPath(m_pszProfileName));
    }
    ScopedKey section{GetSectionKey(lpszSection)};
    if (section.hKey == nullptr)
        return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExW(section.hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString fallback = lpszDefault != nullptr ? lpszDefault : L"";
    if (m_pszRegistryKey == nullptr)
    {
        wchar_t buffer[4096];
        ::GetPrivateProfileStringW(lpszSection, lpszEntry, fallback, buffer, 4096, IniPath(m_pszProfileName));
        return buffer;
    }
    ScopedKey section{GetSectionKey(lpszSection)};
    if (section.hKey == nullptr)
        return fallback;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(section.hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return fallback;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(section.hKey, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return fallback;
    return text.data();
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, IniPath(m_pszProfileName));
    if (lpszEntry == nullptr)
    {
        // No entry: the whole section goes.
        ScopedKey app{GetAppRegistryKey()};
        return app.hKey != nullptr && ::RegDeleteTreeW(app.hKey, lpszSection) == ERROR_SUCCESS;
    }
    ScopedKey section{GetSectionKey(lpszSection)};
    if (section.hKey == nullptr)
        return FALSE;
    if (lpszValue == nullptr)
        return ::RegDeleteValueW(section.hKey, lpszEntry) == ERROR_SUCCESS;
    return ::RegSetValueExW(section.hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>((lstrlenW(lpszValue) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    if (m_pszRegistryKey == nullptr)
    {
        // INI files hold binary values as two letters per byte, 'A' + nibble.
        CString text = GetProfileString(lpszSection, lpszEntry);
        int count = text.GetLength() / 2;
        if (count == 0)
            return FALSE;
        *ppData = new BYTE[count];
        for (int i = 0; i < count; ++i)
            (*ppData)[i] = static_cast<BYTE>(((text[2 * i + 1] - L'A') << 4) | (text[2 * i] - L'A'));
        *pBytes = static_cast<UINT>(count);
        return TRUE;
    }
    ScopedKey section{GetSectionKey(lpszSection)};
    if (section.hKey == nullptr)
        return FALSE;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(section.hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return FALSE;
    *ppData = new BYTE[size ? size : 1];
    if (::RegQueryValueExW(section.hKey, lpszEntry, nullptr, &type, *ppData, &size) != ERROR_SUCCESS)
    {
        delete[] *ppData;
        *ppData = nullptr;
        return FALSE;
    }
    *pBytes = size;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == nullptr)
    {
        CString text;
        for (UINT i = 0; i < nBytes; ++i)
        {
            text += static_cast<wchar_t>(L'A' + (pData[i] & 0x0F));
            text += static_cast<wchar_t>(L'A' + (pData[i] >> 4));
        }
        return WriteProfileString(lpszSection, lpszEntry, text);
    }
    ScopedKey section{GetSectionKey(lpszSection)};
    if (section.hKey == nullptr)
        return FALSE;
    return ::RegSetValueExW(section.hKey, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
