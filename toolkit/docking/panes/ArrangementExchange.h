// The stored arrangement over the property exchange: the registry or an
// archive holds the "Summary" and "Pane-%d" sections that the portable
// reader checks before anything is built from them.
#pragma once

#include "CKitPropExchange.h"
#include "core/StoredArrangement.h"

// Empties the exchange's section, then writes the arrangement; an unsound
// arrangement is refused and the section is left as it was.
kit::docking::ArrangementError StoreArrangementTo(const kit::docking::StoredArrangement& arrangement,
                                                  CKitPropExchange* pPX);

// The arrangement the exchange holds when it is sound (the exchange's schema
// gates the later keys); otherwise the view-only default, with the reason.
kit::docking::StoredArrangement LoadArrangementFrom(CKitPropExchange* pPX,
                                                    kit::docking::ArrangementError* pError = nullptr);
