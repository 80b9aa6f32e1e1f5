#include "CToolkitResources.h"

namespace {

HMODULE g_hToolkitResources = nullptr;
HINSTANCE g_hToolkitInstance = nullptr;

const UINT g_nKitNotificationSinkMessage = ::RegisterWindowMessageW(L"KitNotificationSinkMTOnEvent");

// Resource ids of the toolkit are 16-bit.
UINT ResourceId(UINT nID)
{
    return nID & 0xFFFF;
}

BOOL ToolkitModuleHas(UINT nID, LPCWSTR lpszType)
{
    return g_hToolkitResources && ::FindResourceW(g_hToolkitResources, MAKEINTRESOURCEW(nID), lpszType);
}

}  // namespace

HMODULE AFXAPI GetResourceModule()
{
    return g_hToolkitResources;
}

void AFXAPI SetToolkitResourceModule(HMODULE hResources, HINSTANCE hInstance)
{
    g_hToolkitResources = hResources;
    g_hToolkitInstance = hInstance;
}

UINT AFXAPI GetKitNotificationSinkMessage()
{
    return g_nKitNotificationSinkMessage;
}

CModuleStateSwitch::CModuleStateSwitch()
{
    if (!g_hToolkitResources)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_hSavedResource = pState->m_hCurrentResourceHandle;
    m_hSavedInstance = pState->m_hCurrentInstanceHandle;
    pState->m_hCurrentResourceHandle = g_hToolkitResources;
    if (!pState->m_hCurrentInstanceHandle)
        pState->m_hCurrentInstanceHandle = g_hToolkitInstance;
    m_bActive = TRUE;
}

void CModuleStateSwitch::Restore()
{
    if (!m_bActive)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentResourceHandle = m_hSavedResource;
    pState->m_hCurrentInstanceHandle = m_hSavedInstance;
    m_bActive = FALSE;
}

CToolkitResources::~CToolkitResources()
{
    FreeResourceModule();
}

BOOL CToolkitResources::LoadString(CString& str, UINT nID)
{
    nID = ResourceId(nID);
    if (ToolkitModuleHas(nID / 16 + 1, RT_STRING)) {
        CModuleStateSwitch moduleSwitch;
        if (str.LoadString(g_hToolkitResources, nID))
            return TRUE;
    }
    return str.LoadString(nID);
}

BOOL CToolkitResources::LoadMenu(CMenu& menu, UINT nID)
{
    nID = ResourceId(nID);
    HINSTANCE hModule = ToolkitModuleHas(nID, RT_MENU) ? g_hToolkitResources
                                                        : AfxFindResourceHandle(MAKEINTRESOURCEW(nID), RT_MENU);
    HMENU hMenu = ::LoadMenuW(hModule, MAKEINTRESOURCEW(nID));
    return hMenu && menu.Attach(hMenu);
}

BOOL CToolkitResources::LoadToolBar(CToolBar& toolBar, UINT nID)
{
    CModuleStateSwitch moduleSwitch;
    return toolBar.LoadToolBar(MAKEINTRESOURCEW(ResourceId(nID)));
}

BOOL CToolkitResources::LoadBitmap(CBitmap& bitmap, UINT nID)
{
    nID = ResourceId(nID);
    HINSTANCE hModule = ToolkitModuleHas(nID, RT_BITMAP) ? g_hToolkitResources
                                                          : AfxFindResourceHandle(MAKEINTRESOURCEW(nID), RT_BITMAP);
    HBITMAP hBitmap = ::LoadBitmapW(hModule, MAKEINTRESOURCEW(nID));
    return hBitmap && bitmap.Attach(hBitmap);
}

HCURSOR CToolkitResources::LoadCursor(UINT nID)
{
    nID = ResourceId(nID);
    if (ToolkitModuleHas(nID, RT_GROUP_CURSOR)) {
        if (HCURSOR hCursor = ::LoadCursorW(g_hToolkitResources, MAKEINTRESOURCEW(nID)))
            return hCursor;
    }
    HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCEW(nID), RT_GROUP_CURSOR);
    return ::LoadCursorW(hModule, MAKEINTRESOURCEW(nID));
}

LPCDLGTEMPLATE CToolkitResources::LoadDialogTemplate(UINT nID)
{
    nID = ResourceId(nID);
    HINSTANCE hModule = g_hToolkitResources;
    HRSRC hResource = hModule ? ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_DIALOG) : nullptr;
    if (!hResource) {
        hModule = AfxFindResourceHandle(MAKEINTRESOURCEW(nID), RT_DIALOG);
        hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_DIALOG);
    }
    if (!hResource)
        return nullptr;
    HGLOBAL hTemplate = ::LoadResource(hModule, hResource);
    return hTemplate ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

void CToolkitResources::FreeResourceModule()
{
    if (!m_hResourceLibrary)
        return;
    if (g_hToolkitResources == m_hResourceLibrary)
        SetToolkitResourceModule(nullptr, nullptr);
    ::FreeLibrary(m_hResourceLibrary);
    m_hResourceLibrary = nullptr;
}

BOOL CToolkitResources::LoadResourceModule(LPCTSTR lpszPath)
{
    FreeResourceModule();
    m_hResourceLibrary = ::LoadLibraryExW(lpszPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!m_hResourceLibrary)
        return FALSE;
    SetToolkitResourceModule(m_hResourceLibrary, AfxGetInstanceHandle());
    return TRUE;
}

int CToolkitResources::ShowMessage(UINT nIDString, UINT nType)
{
    CString text;
    LoadString(text, nIDString);
    return AfxMessageBox(text, nType);
}

CToolkitResources* AFXAPI GetToolkitResources()
{
    static CToolkitResources resources;
    return &resources;
}
