// The stored arrangement of the MDI tab workspace's groups in the registry:
// "Orientation" and "Groups" (DWORDs), and per group "Group<n>-Size" (the
// size as a REG_BINARY double), "Group<n>-Tabs" (REG_MULTI_SZ of the tab
// keys in order) and "Group<n>-Selected" (REG_SZ).
#include <cmath>
#include <vector>

#include "CKitTabClientWnd.h"

namespace
{
// More groups than fit on any screen means the data is not ours.
constexpr DWORD kMaxGroups = 64;
constexpr DWORD kMaxTextBytes = 64 * 1024;

class RegKeyHolder
{
public:
    ~RegKeyHolder()
    {
        if (m_hKey != nullptr)
            ::RegCloseKey(m_hKey);
    }
    HKEY m_hKey = nullptr;
};

CString ValueName(int nGroup, LPCTSTR pszWhat)
{
    CString name;
    name.Format(L"Group%d-%s", nGroup, pszWhat);
    return name;
}

// A string value of at most kMaxTextBytes, REG_SZ or REG_MULTI_SZ; the
// text is cut at the buffer's end whether or not it was terminated.
bool ReadText(HKEY hKey, LPCTSTR pszName, DWORD dwType, std::vector<wchar_t>& text)
{
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(hKey, pszName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != dwType ||
        bytes > kMaxTextBytes)
        return false;
    text.assign(bytes / sizeof(wchar_t) + 2, L'\0');
    if (::RegQueryValueExW(hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
            ERROR_SUCCESS ||
        type != dwType)
        return false;
    text.resize(bytes / sizeof(wchar_t));
    text.push_back(L'\0');
    text.push_back(L'\0');
    return true;
}

bool ReadDword(HKEY hKey, LPCTSTR pszName, DWORD& value)
{
    DWORD type = 0, bytes = sizeof(value);
    return ::RegQueryValueExW(hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && bytes == sizeof(value);
}
} // namespace

bool CTabGroupArrangement::operator==(const CTabGroupArrangement& other) const
{
    if (nOrientation != other.nOrientation || groups.size() != other.groups.size())
        return false;
    for (size_t i = 0; i < groups.size(); ++i)
    {
        const Group& a = groups[i];
        const Group& b = other.groups[i];
        if (std::fabs(a.dSize - b.dSize) > 0.5 || a.tabs.size() != b.tabs.size() || !(a.selected == b.selected))
            return false;
        for (size_t t = 0; t < a.tabs.size(); ++t)
            if (!(a.tabs[t] == b.tabs[t]))
                return false;
    }
    return true;
}

BOOL CTabGroupArrangement::Write(HKEY hRoot, LPCTSTR pszSection) const
{
    RegKeyHolder key;
    ::RegDeleteTreeW(hRoot, pszSection); // no groups of an earlier, longer arrangement stay behind
    if (::RegCreateKeyExW(hRoot, pszSection, 0, nullptr, 0, KEY_WRITE, nullptr, &key.m_hKey, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD dwOrientation = static_cast<DWORD>(nOrientation);
    const DWORD dwGroups = static_cast<DWORD>(groups.size());
    bool ok = ::RegSetValueExW(key.m_hKey, L"Orientation", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwOrientation),
                               sizeof(DWORD)) == ERROR_SUCCESS;
    ok = ok && ::RegSetValueExW(key.m_hKey, L"Groups", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwGroups),
                                sizeof(DWORD)) == ERROR_SUCCESS;
    for (size_t i = 0; ok && i < groups.size(); ++i)
    {
        const Group& group = groups[i];
        const int n = static_cast<int>(i);
        ok = ::RegSetValueExW(key.m_hKey, ValueName(n, L"Size"), 0, REG_BINARY,
                              reinterpret_cast<const BYTE*>(&group.dSize), sizeof(double)) == ERROR_SUCCESS;
        std::vector<wchar_t> multi;
        for (const CString& tab : group.tabs)
        {
            const wchar_t* psz = tab;
            multi.insert(multi.end(), psz, psz + tab.GetLength());
            multi.push_back(L'\0');
        }
        multi.push_back(L'\0');
        ok = ok && ::RegSetValueExW(key.m_hKey, ValueName(n, L"Tabs"), 0, REG_MULTI_SZ,
                                    reinterpret_cast<const BYTE*>(multi.data()),
                                    static_cast<DWORD>(multi.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
        const wchar_t* pszSelected = group.selected;
        ok = ok && ::RegSetValueExW(key.m_hKey, ValueName(n, L"Selected"), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(pszSelected),
                                    static_cast<DWORD>((group.selected.GetLength() + 1) * sizeof(wchar_t))) ==
                         ERROR_SUCCESS;
    }
    return ok;
}

BOOL CTabGroupArrangement::Read(HKEY hRoot, LPCTSTR pszSection)
{
    RegKeyHolder key;
    if (::RegOpenKeyExW(hRoot, pszSection, 0, KEY_READ, &key.m_hKey) != ERROR_SUCCESS)
        return FALSE;
    DWORD dwOrientation = 0, dwGroups = 0;
    if (!ReadDword(key.m_hKey, L"Orientation", dwOrientation) || dwOrientation > 1 ||
        !ReadDword(key.m_hKey, L"Groups", dwGroups) || dwGroups == 0 || dwGroups > kMaxGroups)
        return FALSE;
    CTabGroupArrangement read;
    read.nOrientation = static_cast<int>(dwOrientation);
    for (DWORD i = 0; i < dwGroups; ++i)
    {
        const int n = static_cast<int>(i);
        Group group;
        DWORD type = 0, bytes = sizeof(double);
        if (::RegQueryValueExW(key.m_hKey, ValueName(n, L"Size"), nullptr, &type, reinterpret_cast<BYTE*>(&group.dSize),
                               &bytes) != ERROR_SUCCESS ||
            type != REG_BINARY || bytes != sizeof(double) || !std::isfinite(group.dSize) || group.dSize < 0)
            return FALSE;
        std::vector<wchar_t> text;
        if (!ReadText(key.m_hKey, ValueName(n, L"Tabs"), REG_MULTI_SZ, text))
            return FALSE;
        // Strings up to the first empty one; the buffer ends in two nulls.
        for (size_t at = 0; at < text.size() && text[at] != L'\0';)
        {
            const CString tab(text.data() + at);
            group.tabs.push_back(tab);
            at += static_cast<size_t>(tab.GetLength()) + 1;
        }
        if (!ReadText(key.m_hKey, ValueName(n, L"Selected"), REG_SZ, text))
            return FALSE;
        group.selected = text.data();
        read.groups.push_back(group);
    }
    *this = read;
    return TRUE;
}
