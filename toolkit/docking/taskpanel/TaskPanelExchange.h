// Task-panel groups over the property exchange: the registry or an archive
// holds the group's keys and its numbered item sections, which the portable
// reader checks as it loads them.
#pragma once

#include "CKitPropExchange.h"
#include "core/StoredTaskPanel.h"

// Writes the group through a storing exchange; FALSE when the exchange is
// missing, loading, or failed part way.
BOOL StoreGroupTo(kit::taskpanel::Group& group, CKitPropExchange* pPX);

// Reads the group from a loading exchange (its schema gates the later keys).
// A fault ends the load with its reason and keeps the items read before it;
// an archive that ends early counts as a count beyond its data.
kit::taskpanel::PanelLoadError LoadGroupFrom(kit::taskpanel::Group* pGroup, CKitPropExchange* pPX);

// One group item alone, as the clipboard carries it. Archive and OLE
// exceptions pass to the caller, which owns the stream.
BOOL StoreGroupItemTo(kit::taskpanel::GroupItem& item, CKitPropExchange* pPX);
std::unique_ptr<kit::taskpanel::GroupItem> LoadGroupItemFrom(CKitPropExchange* pPX);
