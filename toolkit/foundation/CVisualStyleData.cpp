#include "CVisualStyleData.h"

#include "BoundFunction.h"

#include <shlwapi.h>

namespace {

const char* const kEntryNames[] = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeParentBackground",
    "DrawThemeText",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemeBackgroundRegion",
    "GetThemePartSize",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeInt",
    "GetThemeBool",
    "GetThemeEnumValue",
    "GetThemeMargins",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemePosition",
    "GetThemeFilename",
    "GetThemeString",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysFont",
    "GetThemeSysSize",
    "GetThemeSysBool",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetWindowTheme",
    "SetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "HitTestThemeBackground",
    "IsThemeActive",
    "IsAppThemed",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "EnableTheming",
};
static_assert(sizeof(kEntryNames) / sizeof(kEntryNames[0]) == static_cast<size_t>(UxThemeEntry::Count));

template <class Fn>
Fn Bound(UxThemeEntry entry)
{
    return FunctionCast<Fn>(CVisualStyleLibrary::Instance().Entry(entry));
}

using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
using DrawThemeTextFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*);
using GetThemeBackgroundContentRectFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, RECT*);
using GetThemePartSizeFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*);
using GetThemeColorFn = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
using GetThemeMarginsFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, int, const RECT*, MARGINS*);
using IsThemeBackgroundPartiallyTransparentFn = BOOL(WINAPI*)(HTHEME, int, int);
using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
using BoolQueryFn = BOOL(WINAPI*)();

}  // namespace

DWORD AFXAPI QueryDllVersion(LPCTSTR lpszModule)
{
    HMODULE hModule = ::LoadLibraryW(lpszModule);
    if (!hModule)
        return 0;
    DWORD version = 0;
    auto pfnGetVersion = BoundFunction<DLLGETVERSIONPROC>(hModule, "DllGetVersion");
    if (pfnGetVersion) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(pfnGetVersion(&info)))
            version = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }
    ::FreeLibrary(hModule);
    return version;
}

CVisualStyleLibrary& CVisualStyleLibrary::Instance()
{
    static CVisualStyleLibrary library;
    return library;
}

CVisualStyleLibrary::CVisualStyleLibrary()
    : m_hModule(::LoadLibraryW(L"UxTheme.dll")), m_comCtlVersion(QueryDllVersion(L"comctl32.dll"))
{
}

FARPROC CVisualStyleLibrary::Entry(UxThemeEntry entry)
{
    const int index = static_cast<int>(entry);
    if (!m_hModule)
        return nullptr;
    if (!m_bound[index]) {
        m_entries[index] = ::GetProcAddress(m_hModule, kEntryNames[index]);
        m_bound[index] = true;
    }
    return m_entries[index];
}

HMODULE CVisualStyleLibrary::ReplaceModuleForTesting(HMODULE hModule)
{
    HMODULE previous = m_hModule;
    m_hModule = hModule;
    for (int i = 0; i < static_cast<int>(UxThemeEntry::Count); ++i) {
        m_entries[i] = nullptr;
        m_bound[i] = false;
    }
    return previous;
}

BOOL CVisualStyleData::Open(HWND hWnd, LPCWSTR lpszClassList)
{
    Close();
    if (auto pfn = Bound<OpenThemeDataFn>(UxThemeEntry::OpenThemeData))
        m_hTheme = pfn(hWnd, lpszClassList);
    return m_hTheme != nullptr;
}

void CVisualStyleData::Close()
{
    if (!m_hTheme)
        return;
    if (auto pfn = Bound<CloseThemeDataFn>(UxThemeEntry::CloseThemeData))
        pfn(m_hTheme);
    m_hTheme = nullptr;
}

HRESULT CVisualStyleData::DrawBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect)
{
    auto pfn = Bound<DrawThemeBackgroundFn>(UxThemeEntry::DrawThemeBackground);
    return pfn && m_hTheme ? pfn(m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT CVisualStyleData::DrawParentBackground(HWND hWnd, HDC hDC, const RECT* pRect)
{
    auto pfn = Bound<DrawThemeParentBackgroundFn>(UxThemeEntry::DrawThemeParentBackground);
    return pfn ? pfn(hWnd, hDC, pRect) : E_FAIL;
}

HRESULT CVisualStyleData::DrawText(HDC hDC, int iPartId, int iStateId, LPCWSTR lpszText, int nLength, DWORD dwFlags,
                                   const RECT* pRect)
{
    auto pfn = Bound<DrawThemeTextFn>(UxThemeEntry::DrawThemeText);
    return pfn && m_hTheme ? pfn(m_hTheme, hDC, iPartId, iStateId, lpszText, nLength, dwFlags, 0, pRect) : E_FAIL;
}

HRESULT CVisualStyleData::GetBackgroundContentRect(HDC hDC, int iPartId, int iStateId, const RECT* pBounds,
                                                   RECT* pContent)
{
    auto pfn = Bound<GetThemeBackgroundContentRectFn>(UxThemeEntry::GetThemeBackgroundContentRect);
    return pfn && m_hTheme ? pfn(m_hTheme, hDC, iPartId, iStateId, pBounds, pContent) : E_FAIL;
}

HRESULT CVisualStyleData::GetPartSize(HDC hDC, int iPartId, int iStateId, const RECT* pRect, THEMESIZE eSize,
                                      SIZE* pSize)
{
    auto pfn = Bound<GetThemePartSizeFn>(UxThemeEntry::GetThemePartSize);
    return pfn && m_hTheme ? pfn(m_hTheme, hDC, iPartId, iStateId, pRect, eSize, pSize) : E_FAIL;
}

HRESULT CVisualStyleData::GetColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto pfn = Bound<GetThemeColorFn>(UxThemeEntry::GetThemeColor);
    return pfn && m_hTheme ? pfn(m_hTheme, iPartId, iStateId, iPropId, pColor) : E_FAIL;
}

HRESULT CVisualStyleData::GetMargins(HDC hDC, int iPartId, int iStateId, int iPropId, const RECT* pRect,
                                     MARGINS* pMargins)
{
    auto pfn = Bound<GetThemeMarginsFn>(UxThemeEntry::GetThemeMargins);
    return pfn && m_hTheme ? pfn(m_hTheme, hDC, iPartId, iStateId, iPropId, pRect, pMargins) : E_FAIL;
}

BOOL CVisualStyleData::IsBackgroundPartiallyTransparent(int iPartId, int iStateId)
{
    auto pfn = Bound<IsThemeBackgroundPartiallyTransparentFn>(UxThemeEntry::IsThemeBackgroundPartiallyTransparent);
    return pfn && m_hTheme ? pfn(m_hTheme, iPartId, iStateId) : FALSE;
}

HRESULT CVisualStyleData::GetCurrentThemeName(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName,
                                              int cchColorName, LPWSTR pszSizeName, int cchSizeName)
{
    auto pfn = Bound<GetCurrentThemeNameFn>(UxThemeEntry::GetCurrentThemeName);
    return pfn ? pfn(pszFileName, cchFileName, pszColorName, cchColorName, pszSizeName, cchSizeName) : E_FAIL;
}

BOOL CVisualStyleData::IsAppThemed()
{
    if (!m_hTheme)
        return FALSE;
    auto pfn = Bound<BoolQueryFn>(UxThemeEntry::IsAppThemed);
    return pfn ? pfn() : FALSE;
}

BOOL AFXAPI CVisualStyleData::IsThemeActive()
{
    auto pfn = Bound<BoolQueryFn>(UxThemeEntry::IsThemeActive);
    return pfn ? pfn() : FALSE;
}

BOOL AFXAPI IsVisualStyleActive()
{
    CVisualStyleLibrary& library = CVisualStyleLibrary::Instance();
    return library.GetModule() && CVisualStyleData::IsThemeActive() && (library.GetComCtlVersion() & 0xFFFF0000u) > (5u << 16);
}
