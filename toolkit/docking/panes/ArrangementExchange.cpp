#include "ArrangementExchange.h"

#include "PropExchangeSection.h"

using kit::docking::ArrangementError;
using kit::docking::ArrangementSection;

namespace {

using CExchangeSection = CPropExchangeSection<ArrangementSection>;

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
