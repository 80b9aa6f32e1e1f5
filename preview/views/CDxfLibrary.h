// The binding of "DXF.dll", the library that reads, lays out and paints DXF
// drawings: its entry points, loaded for the life of one DXF view, and the one
// drawing that view shows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "DxfViewProperties.h"

class CDxfLibrary
{
public:
    CDxfLibrary() { Load(); }
    ~CDxfLibrary() { Unload(); }
    CDxfLibrary(const CDxfLibrary&) = delete;
    CDxfLibrary& operator=(const CDxfLibrary&) = delete;

    // TRUE only when the library and every one of its 20 entry points were found.
    BOOL Load();
    void Unload();
    BOOL IsLoaded() const { return m_bLoaded; }
    BOOL HasDrawing() const { return m_bLoaded && m_hDrawing != 0; }

    BOOL CreateDrawing();
    BOOL DestroyDrawing();
    // The path in the ANSI code page, as the library takes it.
    BOOL LoadFile(const char* path, HWND hProgress);
    BOOL InitView(int x, int y, int width, int height);
    BOOL ZoomExtents();
    BOOL Paint(HDC hDC);
    BOOL GetViewProperties(preview::DxfViewProperties& view);
    BOOL SetViewProperties(const preview::DxfViewProperties& view);
    double GetZoom();
    // Keeps the drawing point under the window centre in place.
    BOOL SetZoom(double zoom);

private:
    using CreateFn = uint32_t(__cdecl*)();
    using HandleFn = int(__cdecl*)(uint32_t);
    using LoadFn = int(__cdecl*)(uint32_t, uint32_t, uint32_t, const char*, HWND);
    using InitViewFn = int(__cdecl*)(uint32_t, int, int, int, int);
    using PaintFn = int(__cdecl*)(uint32_t, HDC);
    using GetViewFn = int(__cdecl*)(uint32_t, preview::DxfViewProperties*);
    using SetViewFn = int(__cdecl*)(uint32_t, const preview::DxfViewProperties*);

    HMODULE m_hLibrary = nullptr;
    uint32_t m_hDrawing = 0;
    BOOL m_bLoaded = FALSE;
    CreateFn m_create = nullptr;
    HandleFn m_destroy = nullptr;
    LoadFn m_loadDataFromFile = nullptr;
    InitViewFn m_initView = nullptr;
    HandleFn m_zoomExtents = nullptr;
    PaintFn m_paint = nullptr;
    GetViewFn m_getViewProperties = nullptr;
    SetViewFn m_setViewProperties = nullptr;
};
