// The class records of the special controls: a stored bar tree names each
// control by its class, so a loaded placeholder is a placeholder again.
#include "CKitControlCustom.h"
#include "CKitControlOleItems.h"
#include "CKitControlRecentFileList.h"
#include "CKitControlSelector.h"
#include "CKitControlToolbars.h"
#include "CKitControlWindowList.h"
#include "CKitControlWorkspaceActions.h"

IMPLEMENT_SERIAL(CKitControlWindowList, CKitControlButton, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlToolbars, CKitControlButton, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlOleItems, CKitControlButton, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlRecentFileList, CKitControlButton, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlWorkspaceActions, CKitControlButton, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlSelector, CKitControl, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlCustom, CKitControlButton, VERSIONABLE_SCHEMA | 16)
