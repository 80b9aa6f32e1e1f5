// Visual styles through UxTheme bound at run time: the toolkit also runs where
// UxTheme.dll is missing or where no theme is active, and then paints its own
// frames. Every wrapper answers E_FAIL (HRESULT) or FALSE (BOOL) when the
// library or the export is not there.
#pragma once

#include "Framework.h"

#include <uxtheme.h>

// The UxTheme exports the toolkit calls, bound each on its first use.
enum class UxThemeEntry
{
    OpenThemeData,
    CloseThemeData,
    DrawThemeBackground,
    DrawThemeParentBackground,
    DrawThemeText,
    DrawThemeEdge,
    DrawThemeIcon,
    GetThemeBackgroundContentRect,
    GetThemeBackgroundExtent,
    GetThemeBackgroundRegion,
    GetThemePartSize,
    GetThemeTextExtent,
    GetThemeTextMetrics,
    GetThemeColor,
    GetThemeMetric,
    GetThemeInt,
    GetThemeBool,
    GetThemeEnumValue,
    GetThemeMargins,
    GetThemeFont,
    GetThemeRect,
    GetThemePosition,
    GetThemeFilename,
    GetThemeString,
    GetThemeSysColor,
    GetThemeSysColorBrush,
    GetThemeSysFont,
    GetThemeSysSize,
    GetThemeSysBool,
    GetThemeAppProperties,
    SetThemeAppProperties,
    GetWindowTheme,
    SetWindowTheme,
    EnableThemeDialogTexture,
    IsThemeDialogTextureEnabled,
    IsThemePartDefined,
    IsThemeBackgroundPartiallyTransparent,
    HitTestThemeBackground,
    IsThemeActive,
    IsAppThemed,
    GetCurrentThemeName,
    GetThemeDocumentationProperty,
    EnableTheming,
    Count
};

// The process-wide record of the visual-style library: UxTheme.dll loaded at
// start-up (never freed), its exports bound on first use, and the comctl32
// version (major << 16 | minor, 0 when unknown).
class CVisualStyleLibrary
{
public:
    static CVisualStyleLibrary& Instance();

    FARPROC Entry(UxThemeEntry entry);
    HMODULE GetModule() const { return m_hModule; }
    DWORD GetComCtlVersion() const { return m_comCtlVersion; }

    // Tests put a stand-in library (or none) in place of UxTheme.dll; the
    // bound entries are forgotten. Returns the previous module.
    HMODULE ReplaceModuleForTesting(HMODULE hModule);
    void SetComCtlVersionForTesting(DWORD version) { m_comCtlVersion = version; }

private:
    CVisualStyleLibrary();

    HMODULE m_hModule = nullptr;
    FARPROC m_entries[static_cast<int>(UxThemeEntry::Count)] = {};
    bool m_bound[static_cast<int>(UxThemeEntry::Count)] = {};
    DWORD m_comCtlVersion = 0;
};

// The version a module's DllGetVersion reports, major << 16 | minor; 0 when
// the module or the export is missing.
DWORD AFXAPI QueryDllVersion(LPCTSTR lpszModule);

class CVisualStyleData
{
public:
    CVisualStyleData() = default;
    virtual ~CVisualStyleData() { Close(); }
    CVisualStyleData(const CVisualStyleData&) = delete;
    CVisualStyleData& operator=(const CVisualStyleData&) = delete;

    // Closes a held handle and opens the class list's data; null on failure.
    BOOL Open(HWND hWnd, LPCWSTR lpszClassList);
    void Close();
    BOOL IsOpen() const { return m_hTheme != nullptr; }
    HTHEME GetHandle() const { return m_hTheme; }

    HRESULT DrawBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT DrawParentBackground(HWND hWnd, HDC hDC, const RECT* pRect);
    HRESULT DrawText(HDC hDC, int iPartId, int iStateId, LPCWSTR lpszText, int nLength, DWORD dwFlags,
                     const RECT* pRect);
    HRESULT GetBackgroundContentRect(HDC hDC, int iPartId, int iStateId, const RECT* pBounds, RECT* pContent);
    HRESULT GetPartSize(HDC hDC, int iPartId, int iStateId, const RECT* pRect, THEMESIZE eSize, SIZE* pSize);
    HRESULT GetColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetMargins(HDC hDC, int iPartId, int iStateId, int iPropId, const RECT* pRect, MARGINS* pMargins);
    BOOL IsBackgroundPartiallyTransparent(int iPartId, int iStateId);
    HRESULT GetCurrentThemeName(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName, int cchColorName,
                                LPWSTR pszSizeName, int cchSizeName);
    // FALSE when no handle is open.
    BOOL IsAppThemed();
    // Whether the desktop has a theme active. (A member: the system header
    // already declares a free IsThemeActive, which this binds at run time.)
    static BOOL AFXAPI IsThemeActive();

private:
    HTHEME m_hTheme = nullptr;
};

// UxTheme loaded, a theme active and comctl32 6 or later.
BOOL AFXAPI IsVisualStyleActive();
