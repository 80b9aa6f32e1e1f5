// The named values of one open registry key, for the portable value rules. A
// value is read only when its size is plausible for a setting, so a damaged or
// hostile value cannot make the program allocate without bound.
#pragma once

#include "Framework.h"
#include "core/PropValueCodec.h"

class CRegistryValueStore : public kit::RegistryValueStore
{
public:
    // Values above this size are treated as missing.
    static constexpr DWORD kMaxValueBytes = 16 * 1024 * 1024;

    explicit CRegistryValueStore(HKEY hKey) : m_hKey(hKey) {}
    std::optional<kit::RegistryValue> Query(const std::u16string& name) override;
    bool Set(const std::u16string& name, uint32_t type, std::span<const uint8_t> bytes) override;
    bool Remove(const std::u16string& name) override;

    // ERROR_SUCCESS or the error of the last Set or Remove.
    LONG LastError() const { return m_nLastError; }

private:
    HKEY m_hKey;
    LONG m_nLastError = ERROR_SUCCESS;
};
