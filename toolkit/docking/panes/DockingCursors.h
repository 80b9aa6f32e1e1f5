// Cursors of the docking windows: the toolkit's own when its resources (or
// the application's) carry them, otherwise the system cursor of the same
// meaning, so that a program built without those resources still shows an
// arrow or a sizing cursor instead of none.
#pragma once

#include "Framework.h"

// `pszSystemCursor` is one of the system's IDC_ values (IDC_SIZEWE, IDC_ARROW ...).
HCURSOR LoadDockingCursor(UINT nId, LPCWSTR pszSystemCursor);
