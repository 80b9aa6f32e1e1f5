#include "CDxfLibrary.h"
#include "ViewerWindows.h"

namespace {

// Entry points the view never calls; the library counts as loaded only with them.
const char* const kUnusedEntryPoints[] = {
    "drwAddTableType", "drwDeleteTableType", "drwFindTableType", "drwAddBlock",       "drwDeleteBlock",
    "drwFindBlock",    "drwAddEntity",       "drwDeleteEntity",  "drwChangeEntity",   "drwFindEntity",
    "drwSaveDataToFile", "drwGetDrawingBorder",
};

}  // namespace

BOOL CDxfLibrary::Load()
{
    if (m_bLoaded)
        return TRUE;
    m_hLibrary = ::LoadLibraryW(L"DXF.dll");
    if (m_hLibrary == nullptr)
        return FALSE;
    m_create = ProcAddress<CreateFn>(m_hLibrary, "drwCreate");
    m_destroy = ProcAddress<HandleFn>(m_hLibrary, "drwDestroy");
    m_loadDataFromFile = ProcAddress<LoadFn>(m_hLibrary, "drwLoadDataFromFile");
    m_initView = ProcAddress<InitViewFn>(m_hLibrary, "drwInitView");
    m_zoomExtents = ProcAddress<HandleFn>(m_hLibrary, "drwZoomExtents");
    m_paint = ProcAddress<PaintFn>(m_hLibrary, "drwPaint");
    m_getViewProperties = ProcAddress<GetViewFn>(m_hLibrary, "drwGetViewProperties");
    m_setViewProperties = ProcAddress<SetViewFn>(m_hLibrary, "drwSetViewProperties");
    BOOL complete = m_create && m_destroy && m_loadDataFromFile && m_initView && m_zoomExtents && m_paint &&
                    m_getViewProperties && m_setViewProperties;
    for (const char* name : kUnusedEntryPoints)
        complete = complete && ::GetProcAddress(m_hLibrary, name) != nullptr;
    m_bLoaded = complete;
    return m_bLoaded;
}

void CDxfLibrary::Unload()
{
    if (HasDrawing())
        DestroyDrawing();
    if (m_hLibrary != nullptr)
        ::FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
    m_hDrawing = 0;
    m_bLoaded = FALSE;
}

BOOL CDxfLibrary::CreateDrawing()
{
    if (!m_bLoaded || m_hDrawing != 0)
        return FALSE;
    m_hDrawing = m_create();
    return m_hDrawing != 0;
}

BOOL CDxfLibrary::DestroyDrawing()
{
    if (!HasDrawing())
        return FALSE;
    if (m_destroy(m_hDrawing) == 0)
        return FALSE;
    m_hDrawing = 0;
    return TRUE;
}

BOOL CDxfLibrary::LoadFile(const char* path, HWND hProgress)
{
    return HasDrawing() && path != nullptr && m_loadDataFromFile(m_hDrawing, 0, 0, path, hProgress) != 0;
}

BOOL CDxfLibrary::InitView(int x, int y, int width, int height)
{
    return HasDrawing() && m_initView(m_hDrawing, x, y, width, height) != 0;
}

BOOL CDxfLibrary::ZoomExtents()
{
    return HasDrawing() && m_zoomExtents(m_hDrawing) != 0;
}

BOOL CDxfLibrary::Paint(HDC hDC)
{
    return HasDrawing() && m_paint(m_hDrawing, hDC) != 0;
}

BOOL CDxfLibrary::GetViewProperties(preview::DxfViewProperties& view)
{
    return HasDrawing() && m_getViewProperties(m_hDrawing, &view) != 0;
}

BOOL CDxfLibrary::SetViewProperties(const preview::DxfViewProperties& view)
{
    return HasDrawing() && m_setViewProperties(m_hDrawing, &view) != 0;
}

double CDxfLibrary::GetZoom()
{
    preview::DxfViewProperties view{};
    return GetViewProperties(view) ? view.ZoomLevel : 0.0;
}

BOOL CDxfLibrary::SetZoom(double zoom)
{
    preview::DxfViewProperties view{};
    if (!GetViewProperties(view))
        return FALSE;
    // A zero extent or zoom is refused, never divided by.
    if (!preview::ZoomAboutCentre(view, zoom))
        return FALSE;
    return SetViewProperties(view);
}
