#include "CUserSettingsStore.h"

#include "ArchiveStreams.h"
#include "RegistryValueStore.h"
#include "core/PropValueCodec.h"

#include <memory>

namespace {

constexpr DWORD kIniTextCapacity = 4096;

class CRegKey
{
public:
    explicit CRegKey(HKEY hKey) : m_hKey(hKey) {}
    ~CRegKey()
    {
        if (m_hKey != nullptr)
            ::RegCloseKey(m_hKey);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
};

int WriteResult(LONG nError)
{
    return nError == ERROR_SUCCESS ? 1 : nError == ERROR_ACCESS_DENIED ? -1 : 0;
}

bool IniMode()
{
    return !GetSettingsFileName().IsEmpty();
}

}  // namespace

CString& AFXAPI GetSettingsFileName()
{
    static CString settingsFileName;
    return settingsFileName;
}

BOOL CUserSettingsStore::ResolveNames()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
    {
        if (CWinApp* pApp = AfxGetApp())
        {
            m_pszRegistryKey = pApp->m_pszRegistryKey;
            m_pszProfileName = pApp->m_pszProfileName;
        }
    }
    return m_pszRegistryKey != nullptr && m_pszProfileName != nullptr;
}

HKEY CUserSettingsStore::OpenAppKey(REGSAM samDesired)
{
    if (!ResolveNames())
        return nullptr;
    HKEY hSoftware = nullptr, hCompany = nullptr, hProfile = nullptr;
    if (::RegOpenKeyExW(m_hRootKey, L"Software", 0, samDesired, &hSoftware) != ERROR_SUCCESS)
        return nullptr;
    CRegKey software(hSoftware);
    if (::RegCreateKeyExW(software, m_pszRegistryKey, 0, nullptr, 0, samDesired, nullptr, &hCompany, nullptr) !=
        ERROR_SUCCESS)
    {
        return nullptr;
    }
    CRegKey company(hCompany);
    if (::RegCreateKeyExW(company, m_pszProfileName, 0, nullptr, 0, samDesired, nullptr, &hProfile, nullptr) !=
        ERROR_SUCCESS)
    {
        return nullptr;
    }
    return hProfile;
}

HKEY CUserSettingsStore::OpenSectionKey(LPCTSTR pszSection, REGSAM samDesired)
{
    CRegKey app(OpenAppKey(samDesired));
    HKEY hSection = nullptr;
    if (app == nullptr ||
        ::RegCreateKeyExW(app, pszSection, 0, nullptr, 0, samDesired, nullptr, &hSection, nullptr) != ERROR_SUCCESS)
    {
        return nullptr;
    }
    return hSection;
}

int CUserSettingsStore::WriteString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszValue)
{
    if (IniMode())
        return ::WritePrivateProfileStringW(pszSection, pszEntry, pszValue, GetSettingsFileName()) ? 1 : 0;
    if (!ResolveNames())
        return 0;
    if (pszEntry == nullptr)
    {
        CRegKey app(OpenAppKey(KEY_READ | KEY_WRITE));
        return app == nullptr ? 0 : WriteResult(::RegDeleteTreeW(app, pszSection));
    }
    CRegKey section(OpenSectionKey(pszSection, KEY_READ | KEY_WRITE));
    if (section == nullptr)
        return 0;
    CRegistryValueStore store(section);
    if (pszValue == nullptr)
        store.Remove(ToU16(pszEntry));
    else
        store.Set(ToU16(pszEntry), REG_SZ,
                  {reinterpret_cast<const uint8_t*>(pszValue), (::wcslen(pszValue) + 1) * sizeof(wchar_t)});
    return WriteResult(store.LastError());
}

int CUserSettingsStore::WriteBinary(LPCTSTR pszSection, LPCTSTR pszEntry, const BYTE* pData, UINT nBytes)
{
    if (IniMode())
        return WriteString(pszSection, pszEntry, FromU16(kit::EncodeLetterPairs({pData, nBytes})));
    if (!ResolveNames())
        return 0;
    CRegKey section(OpenSectionKey(pszSection, KEY_READ | KEY_WRITE));
    if (section == nullptr)
        return 0;
    CRegistryValueStore store(section);
    store.Set(ToU16(pszEntry), REG_BINARY, {pData, nBytes});
    return WriteResult(store.LastError());
}

CString CUserSettingsStore::GetString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszDefault)
{
    const CString fallback(pszDefault != nullptr ? pszDefault : L"");
    if (IniMode())
    {
        CString text;
        const DWORD nLength = ::GetPrivateProfileStringW(pszSection, pszEntry, fallback, text.GetBuffer(kIniTextCapacity),
                                                         kIniTextCapacity, GetSettingsFileName());
        text.ReleaseBuffer(static_cast<int>(nLength));
        return text;
    }
    if (!ResolveNames())
        return fallback;
    CRegKey section(OpenSectionKey(pszSection, KEY_READ));
    if (section == nullptr)
        return fallback;
    CRegistryValueStore store(section);
    const std::optional<kit::RegistryValue> value = store.Query(ToU16(pszEntry));
    const std::optional<std::u16string> text = value ? kit::RegistryText(*value) : std::nullopt;
    return text ? FromU16(*text) : fallback;
}

BOOL CUserSettingsStore::GetBinary(LPCTSTR pszSection, LPCTSTR pszEntry, BYTE** ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    std::vector<uint8_t> bytes;
    if (IniMode())
    {
        const std::optional<std::vector<uint8_t>> decoded =
            kit::DecodeLetterPairs(ToU16(GetString(pszSection, pszEntry)));
        if (!decoded || decoded->empty())
            return FALSE;
        bytes = *decoded;
    }
    else
    {
        if (!ResolveNames())
            return FALSE;
        CRegKey section(OpenSectionKey(pszSection, KEY_READ));
        if (section == nullptr)
            return FALSE;
        CRegistryValueStore store(section);
        std::optional<kit::RegistryValue> value = store.Query(ToU16(pszEntry));
        if (!value || value->type != REG_BINARY)
            return FALSE;
        bytes = std::move(value->bytes);
    }
    auto pData = std::make_unique<BYTE[]>(bytes.size() == 0 ? 1 : bytes.size());
    std::copy(bytes.begin(), bytes.end(), pData.get());
    *ppData = pData.release();
    *pBytes = static_cast<UINT>(bytes.size());
    return TRUE;
}
