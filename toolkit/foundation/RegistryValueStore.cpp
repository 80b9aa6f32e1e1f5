#include "RegistryValueStore.h"

namespace {

LPCWSTR Wide(const std::u16string& text)
{
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

}  // namespace

std::optional<kit::RegistryValue> CRegistryValueStore::Query(const std::u16string& name)
{
    DWORD nType = 0, nSize = 0;
    if (m_hKey == nullptr || ::RegQueryValueExW(m_hKey, Wide(name), nullptr, &nType, nullptr, &nSize) != ERROR_SUCCESS ||
        nSize > kMaxValueBytes)
    {
        return std::nullopt;
    }
    kit::RegistryValue value{nType, std::vector<uint8_t>(nSize)};
    DWORD nRead = nSize;
    // The value may have changed between the two calls; a larger one fails here.
    if (::RegQueryValueExW(m_hKey, Wide(name), nullptr, &nType, value.bytes.data(), &nRead) != ERROR_SUCCESS ||
        nRead > nSize)
    {
        return std::nullopt;
    }
    value.type = nType;
    value.bytes.resize(nRead);
    return value;
}

bool CRegistryValueStore::Set(const std::u16string& name, uint32_t type, std::span<const uint8_t> bytes)
{
    m_nLastError = ::RegSetValueExW(m_hKey, Wide(name), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    return m_nLastError == ERROR_SUCCESS;
}

bool CRegistryValueStore::Remove(const std::u16string& name)
{
    m_nLastError = ::RegDeleteValueW(m_hKey, Wide(name));
    return m_nLastError == ERROR_SUCCESS;
}
