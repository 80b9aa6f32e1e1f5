#include "TaskPanelExchange.h"

#include "ArchiveStreams.h"

#include <string>

using kit::KitRect;
using kit::taskpanel::KitSize;
using kit::taskpanel::PanelLoadError;
using kit::taskpanel::PanelSection;

namespace {

CString ToCString(std::u16string_view text)
{
    return FromU16(std::u16string(text));
}

class CExchangeSection : public PanelSection
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
        return ToU16(strValue);
    }

    std::optional<KitRect> ReadRect(std::u16string_view name) override
    {
        RECT rc{};
        if (!m_pPX->ExchangeValue(ToCString(name), PX_RECT, &rc, nullptr))
            return std::nullopt;
        return KitRect{rc.left, rc.top, rc.right, rc.bottom};
    }

    std::optional<KitSize> ReadSize(std::u16string_view name) override
    {
        SIZE sz{};
        if (!m_pPX->ExchangeValue(ToCString(name), PX_SIZE, &sz, nullptr))
            return std::nullopt;
        return KitSize{sz.cx, sz.cy};
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

    void WriteRect(std::u16string_view name, const KitRect& value) override
    {
        RECT rc{value.left, value.top, value.right, value.bottom};
        m_pPX->ExchangeValue(ToCString(name), PX_RECT, &rc, nullptr);
    }

    void WriteSize(std::u16string_view name, const KitSize& value) override
    {
        SIZE sz{value.cx, value.cy};
        m_pPX->ExchangeValue(ToCString(name), PX_SIZE, &sz, nullptr);
    }

    std::unique_ptr<PanelSection> OpenSection(std::u16string_view name) override
    {
        CKitPropExchange* pSection = m_pPX->GetSection(ToCString(name));
        if (!pSection)
            return nullptr;
        return std::make_unique<CExchangeSection>(pSection, TRUE);
    }

    std::optional<int32_t> ReadCount() override { return static_cast<int32_t>(m_pPX->LoadCount()); }
    void WriteCount(int32_t count) override { m_pPX->StoreCount(static_cast<DWORD>(count)); }

private:
    CKitPropExchange* m_pPX;
    CKitPropSectionRef m_reference;
};

}  // namespace

BOOL StoreGroupTo(kit::taskpanel::Group& group, CKitPropExchange* pPX)
{
    if (!pPX || pPX->IsLoading())
        return FALSE;
    try
    {
        CExchangeSection root(pPX, FALSE);
        kit::taskpanel::StoreGroup(group, root, static_cast<int32_t>(pPX->m_nSchema));
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

PanelLoadError LoadGroupFrom(kit::taskpanel::Group* pGroup, CKitPropExchange* pPX)
{
    if (!pGroup || !pPX || !pPX->IsLoading())
        return PanelLoadError::NoPanel;
    try
    {
        CExchangeSection root(pPX, FALSE);
        return kit::taskpanel::LoadGroup(pGroup, &root, static_cast<int32_t>(pPX->m_nSchema));
    }
    catch (CException* e)
    {
        // An archive that ends before the items its count promised.
        e->Delete();
        return PanelLoadError::CountBeyondData;
    }
}

BOOL StoreGroupItemTo(kit::taskpanel::GroupItem& item, CKitPropExchange* pPX)
{
    if (!pPX || pPX->IsLoading())
        return FALSE;
    CExchangeSection root(pPX, FALSE);
    kit::taskpanel::StoreGroupItem(item, root);
    return TRUE;
}

std::unique_ptr<kit::taskpanel::GroupItem> LoadGroupItemFrom(CKitPropExchange* pPX)
{
    if (!pPX || !pPX->IsLoading())
        return nullptr;
    CExchangeSection root(pPX, FALSE);
    return kit::taskpanel::LoadGroupItem(root);
}
