// A portable section interface over a property exchange. The portable
// readers and writers of stored layouts each declare their own section
// interface; any of them with the long, string and nested-section members
// below is served by this one adapter, and a richer interface derives from
// it to add the rest.
#pragma once

#include "ArchiveStreams.h"
#include "CKitPropExchange.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "registry and archive names are UTF-16");

// Derived is the class OpenSection makes for a nested section (it is
// constructed from the same arguments); void means this class itself.
template <class Interface, class Derived = void>
class CPropExchangeSection : public Interface
{
    using Section = std::conditional_t<std::is_void_v<Derived>, CPropExchangeSection, Derived>;

public:
    // An owned section's one reference is released with this object.
    CPropExchangeSection(CKitPropExchange* pPX, BOOL bOwned) : m_pPX(pPX), m_reference(bOwned ? pPX : nullptr) {}

    std::optional<int32_t> ReadLong(std::u16string_view name) override
    {
        int nValue = 0;
        if (!ExchangeLong(m_pPX, ToCString(name), nValue))
            return std::nullopt;
        return nValue;
    }

    std::optional<std::u16string> ReadString(std::u16string_view name) override
    {
        CString strValue;
        if (!ExchangeString(m_pPX, ToCString(name), strValue))
            return std::nullopt;
        return ToU16(strValue);
    }

    void WriteLong(std::u16string_view name, int32_t value) override
    {
        int nValue = value;
        ExchangeLong(m_pPX, ToCString(name), nValue);
    }

    void WriteString(std::u16string_view name, const std::u16string& value) override
    {
        CString strValue = ToCString(value);
        ExchangeString(m_pPX, ToCString(name), strValue);
    }

    std::unique_ptr<Interface> OpenSection(std::u16string_view name) override
    {
        CKitPropExchange* pSection = m_pPX->GetSection(ToCString(name));
        if (!pSection)
            return nullptr;
        return std::make_unique<Section>(pSection, TRUE);
    }

protected:
    static CString ToCString(std::u16string_view text) { return FromU16(std::u16string(text)); }
    CKitPropExchange* Exchange() const { return m_pPX; }

private:
    CKitPropExchange* m_pPX;
    CKitPropSectionRef m_reference;
};
