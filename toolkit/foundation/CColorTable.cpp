#include "CColorTable.h"

#include "CVisualStyleData.h"

namespace {

// The border colour of a themed tree view stands for slot 57.
constexpr int kThemeBorderColor = 3801; // TMT_BORDERCOLOR
constexpr DWORD kRefreshInterval = 500;

DWORD g_lastRefresh = 0;

}  // namespace

CColorTable::CColorTable()
{
    RefreshColors();
    SetFixedGradients();
}

CColorTable::~CColorTable() = default;

void CColorTable::RefreshColors()
{
    detectedScheme = DetectLunaScheme();
    const bool lowColor = IsLowColorDC(nullptr) != FALSE;

    kit::SystemColors systemColors{};
    for (int i = 1; i < kit::kSystemColorCount; ++i)
        systemColors[i] = sysColorCallback ? sysColorCallback(i) : ::GetSysColor(i);
    DeriveColors(systemColors, lowColor);
    if (lowColor)
        return;

    CVisualStyleData treeView;
    if (treeView.Open(nullptr, L"TREEVIEW")) {
        COLORREF border = 0;
        if (SUCCEEDED(treeView.GetColor(0, 0, kThemeBorderColor, &border)))
            slots[57] = border;
    }
}

CColorTable* AFXAPI GetColorTable()
{
    static CColorTable table;
    return &table;
}

int AFXAPI GetLunaScheme()
{
    return GetColorTable()->GetLunaScheme();
}

void AFXAPI RefreshColorTable()
{
    const DWORD now = ::GetTickCount();
    if (now - g_lastRefresh <= kRefreshInterval)
        return;
    GetColorTable()->RefreshColors();
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->GetMainWnd())
        g_lastRefresh = now;
}

int AFXAPI DetectLunaScheme()
{
    if (!CVisualStyleData::IsThemeActive())
        return kit::kSchemeNone;
    WCHAR fileName[MAX_PATH] = {};
    WCHAR colorName[MAX_PATH] = {};
    CVisualStyleData styles;
    if (FAILED(styles.GetCurrentThemeName(fileName, MAX_PATH, colorName, MAX_PATH, nullptr, 0)))
        return kit::kSchemeNone;
    return kit::SchemeFromThemeName(reinterpret_cast<const char16_t*>(fileName),
                                    reinterpret_cast<const char16_t*>(colorName));
}

BOOL AFXAPI IsLowColorDC(HDC hDC)
{
    int bitsPerPixel = 0;
    if (hDC) {
        bitsPerPixel = ::GetDeviceCaps(hDC, BITSPIXEL);
    } else {
        HWND hDesktop = ::GetDesktopWindow();
        HDC hScreen = ::GetDC(hDesktop);
        if (!hScreen)
            return FALSE; // counts as full-colour
        bitsPerPixel = ::GetDeviceCaps(hScreen, BITSPIXEL);
        ::ReleaseDC(hDesktop, hScreen);
    }
    return bitsPerPixel >= 1 && bitsPerPixel <= 8;
}
