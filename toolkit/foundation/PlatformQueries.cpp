#include "PlatformQueries.h"

namespace {

int CALLBACK MatchFaceProc(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    auto* pMatch = reinterpret_cast<std::pair<LPCWSTR, BOOL>*>(lParam);
    if (::lstrcmpiW(pLogFont->lfFaceName, pMatch->first) == 0) {
        pMatch->second = TRUE;
        return 0; // stop at the first match
    }
    return 1;
}

}  // namespace

COSVersion::COSVersion()
{
    ZeroMemory(static_cast<OSVERSIONINFOW*>(this), sizeof(OSVERSIONINFOW));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(this);
#pragma GCC diagnostic pop
}

const OSVERSIONINFOW& AFXAPI GetOSVersion()
{
    static const COSVersion version;
    return version;
}

BOOL AFXAPI IsVersion(DWORD dwMajor, DWORD dwMinor)
{
    return GetOSVersion().dwMajorVersion == dwMajor && GetOSVersion().dwMinorVersion == dwMinor;
}

BOOL AFXAPI IsWin95()
{
    return GetOSVersion().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && GetOSVersion().dwMajorVersion == 4 &&
           GetOSVersion().dwMinorVersion < 10;
}

BOOL AFXAPI IsWin98()
{
    return GetOSVersion().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && IsVersion(4, 10);
}

BOOL AFXAPI IsWinNT4()
{
    return GetOSVersion().dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(4, 0);
}

BOOL AFXAPI IsWin2000()
{
    return GetOSVersion().dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(5, 0);
}

BOOL AFXAPI IsWinXP()
{
    return GetOSVersion().dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(5, 1);
}

BOOL AFXAPI FontExists(LPCTSTR lpszFaceName)
{
    if (!lpszFaceName || !*lpszFaceName)
        return FALSE;
    HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return FALSE;
    LOGFONTW logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    std::pair<LPCWSTR, BOOL> match{lpszFaceName, FALSE};
    ::EnumFontFamiliesExW(hDC, &logFont, MatchFaceProc, reinterpret_cast<LPARAM>(&match), 0);
    ::ReleaseDC(nullptr, hDC);
    return match.second;
}

CString AFXAPI GetDefaultFontFace(BOOL bPreferTahoma)
{
    LOGFONTW guiFont{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFont), &guiFont);
    const bool ntFive = GetOSVersion().dwPlatformId == VER_PLATFORM_WIN32_NT && GetOSVersion().dwMajorVersion >= 5;
    if ((guiFont.lfCharSet > 2 && ntFive) || !FontExists(L"Arial"))
        return CString(guiFont.lfFaceName);
    if (bPreferTahoma && FontExists(L"Tahoma"))
        return CString(L"Tahoma");
    return CString(L"Arial");
}
