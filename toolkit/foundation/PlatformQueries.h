// Operating-system version and font queries.
#pragma once

#include "Framework.h"

// The version record filled once at start-up.
class COSVersion : public OSVERSIONINFOW
{
public:
    COSVersion();
};

const OSVERSIONINFOW& AFXAPI GetOSVersion();
BOOL AFXAPI IsVersion(DWORD dwMajor, DWORD dwMinor);
BOOL AFXAPI IsWin95();
BOOL AFXAPI IsWin98();
BOOL AFXAPI IsWinNT4();
BOOL AFXAPI IsWin2000();
BOOL AFXAPI IsWinXP();

// Whether a font family of that face is installed (case-insensitive).
BOOL AFXAPI FontExists(LPCTSTR lpszFaceName);
// The stock GUI font's face where "Arial" would not fit its script, else
// "Tahoma" when preferred and installed, else "Arial".
CString AFXAPI GetDefaultFontFace(BOOL bPreferTahoma);
