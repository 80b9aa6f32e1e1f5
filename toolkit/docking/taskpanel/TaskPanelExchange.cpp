#include "TaskPanelExchange.h"

#include "PropExchangeSection.h"

using kit::KitRect;
using kit::taskpanel::KitSize;
using kit::taskpanel::PanelLoadError;
using kit::taskpanel::PanelSection;

namespace {

// The rectangles, sizes and compact counts a task panel also keeps.
class CExchangeSection : public CPropExchangeSection<PanelSection, CExchangeSection>
{
public:
    using CPropExchangeSection::CPropExchangeSection;

    std::optional<KitRect> ReadRect(std::u16string_view name) override
    {
        RECT rc{};
        if (!Exchange()->ExchangeValue(ToCString(name), PX_RECT, &rc, nullptr))
            return std::nullopt;
        return KitRect{rc.left, rc.top, rc.right, rc.bottom};
    }

    std::optional<KitSize> ReadSize(std::u16string_view name) override
    {
        SIZE sz{};
        if (!Exchange()->ExchangeValue(ToCString(name), PX_SIZE, &sz, nullptr))
            return std::nullopt;
        return KitSize{sz.cx, sz.cy};
    }

    void WriteRect(std::u16string_view name, const KitRect& value) override
    {
        RECT rc{value.left, value.top, value.right, value.bottom};
        Exchange()->ExchangeValue(ToCString(name), PX_RECT, &rc, nullptr);
    }

    void WriteSize(std::u16string_view name, const KitSize& value) override
    {
        SIZE sz{value.cx, value.cy};
        Exchange()->ExchangeValue(ToCString(name), PX_SIZE, &sz, nullptr);
    }

    std::optional<int32_t> ReadCount() override { return static_cast<int32_t>(Exchange()->LoadCount()); }
    void WriteCount(int32_t count) override { Exchange()->StoreCount(static_cast<DWORD>(count)); }
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
