#include "ArrangementExchange.h"

#include <string>

using kit::docking::ArrangementError;
using kit::docking::ArrangementSection;

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "registry and archive names are UTF-16");

CString ToCString(std::u16string_view text)
{
    return CString(reinterpret_cast<LPCWSTR>(std::u16string(text).c_str()));
}

class CExchangeSection : public ArrangementSection
{
public:
    // An owned section's one reference is released with this object.
    CExchangeSection(CKitPropExchange* pPX, BOOL bOwned) : m_pPX(pPX), m_reference(bOwned ? pPX : nullptr) {}

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
        return std::u16string(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(strValue)));
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

    std::unique_ptr<ArrangementSection> OpenSection(std::u16string_view name) override
    {
        CKitPropExchange* pSection = m_pPX->GetSection(ToCString(name));
        if (!pSection)
            return nullptr;
        return std::make_unique<CExchangeSection>(pSection, TRUE);
    }

private:
    CKitPropExchange* m_pPX;
    CKitPropSectionRef m_reference;
};

}  // namespace

ArrangementError StoreArrangementTo(const kit::docking::StoredArrangement& arrangement, CKitPropExchange* pPX)
{
    if (!pPX || pPX->IsLoading())
        return ArrangementError::MissingSummary;
    if (const ArrangementError error = kit::docking::ValidateArrangement(arrangement);
        error != ArrangementError::None)
        return error;
    pPX->ClearSection();
    CExchangeSection root(pPX, FALSE);
    return kit::docking::StoreArrangement(arrangement, root, static_cast<int32_t>(pPX->m_nSchema));
}

kit::docking::StoredArrangement LoadArrangementFrom(CKitPropExchange* pPX, ArrangementError* pError)
{
    kit::docking::ArrangementLoad load;
    load.error = ArrangementError::MissingSummary;
    if (pPX && pPX->IsLoading())
    {
        CExchangeSection root(pPX, FALSE);
        load = kit::docking::LoadArrangement(root, static_cast<int32_t>(pPX->m_nSchema));
    }
    if (pError)
        *pError = load.error;
    if (load.error != ArrangementError::None)
        return kit::docking::DefaultArrangement();
    return std::move(load.arrangement);
}
