// A stand-in for UxTheme.dll with the blue Luna style active, so that the
// toolkit's run-time bound road is exercised where Wine has no theme.
#include <windows.h>

namespace {
int g_openHandles = 0;
}

extern "C" {

__declspec(dllexport) BOOL WINAPI IsThemeActive()
{
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI IsAppThemed()
{
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI GetCurrentThemeName(LPWSTR pszFileName, int cchFileName, LPWSTR pszColorName,
                                                         int cchColorName, LPWSTR, int)
{
    if (pszFileName)
        ::lstrcpynW(pszFileName, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", cchFileName);
    if (pszColorName)
        ::lstrcpynW(pszColorName, L"NormalColor", cchColorName);
    return S_OK;
}

__declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND, LPCWSTR pszClassList)
{
    if (::lstrcmpiW(pszClassList, L"TREEVIEW") != 0)
        return nullptr;
    ++g_openHandles;
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x7E57));
}

__declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE)
{
    --g_openHandles;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI GetThemeColor(HANDLE hTheme, int, int, int iPropId, COLORREF* pColor)
{
    if (hTheme != reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x7E57)) || iPropId != 3801)
        return E_INVALIDARG;
    *pColor = RGB(127, 157, 185);
    return S_OK;
}

__declspec(dllexport) int WINAPI StandInOpenHandles()
{
    return g_openHandles;
}

}  // extern "C"
