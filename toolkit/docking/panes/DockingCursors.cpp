#include "DockingCursors.h"

#include "CToolkitResources.h"

HCURSOR LoadDockingCursor(UINT nId, LPCWSTR pszSystemCursor)
{
    if (HCURSOR hCursor = GetToolkitResources()->LoadCursor(nId))
        return hCursor;
    if (HCURSOR hCursor = ::LoadCursorW(nullptr, pszSystemCursor))
        return hCursor;
    return ::LoadCursorW(nullptr, IDC_ARROW);
}
