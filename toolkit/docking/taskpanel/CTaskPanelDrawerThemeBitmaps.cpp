// The expand buttons of the explorer-bar styles: the visual style's own
// bitmaps when its shell style library is there, else the toolkit's two
// pictures recoloured into the caption colours.
#include <cstdlib>
#include <vector>

#include "AlphaBitmaps.h"
#include "CColorTable.h"
#include "CTaskPanelDrawer.h"
#include "CToolkitResources.h"
#include "CVisualStyleData.h"
#include "core/DrawerColors.h"

namespace {

constexpr UINT kGroupExpandBitmap = 9197;
constexpr UINT kSpecialGroupExpandBitmap = 9198;
constexpr UINT kFirstShellStyleBitmap = 100;
constexpr int kExpandPictureSide = 19;

CString ShellStyleFolder(int scheme)
{
    WCHAR szFile[MAX_PATH + 1] = {};
    WCHAR szColor[MAX_PATH + 1] = {};
    CVisualStyleData theme;
    if (SUCCEEDED(theme.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, nullptr, 0)))
    {
        CString strFile(szFile);
        strFile.MakeLower();
        if (scheme != kit::kSchemeNone && strFile.Find(L"luna.msstyles") >= 0)
            return strFile.Left(strFile.ReverseFind(L'\\') + 1);
    }
    WCHAR szWindows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(szWindows, MAX_PATH);
    return CString(szWindows) + L"\\Resources\\Themes\\Luna\\";
}

// Blue, green and red of each pixel scaled by its alpha; other depths stay.
void PremultiplyAlpha(HBITMAP hBitmap)
{
    DIBSECTION dib{};
    if (::GetObjectW(hBitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits)
        return;
    auto* pBytes = static_cast<BYTE*>(dib.dsBm.bmBits);
    const size_t count = static_cast<size_t>(dib.dsBm.bmWidth) * static_cast<size_t>(std::abs(dib.dsBm.bmHeight));
    for (size_t i = 0; i < count; ++i)
    {
        BYTE* pixel = pBytes + i * 4;
        for (int c = 0; c < 3; ++c)
            pixel[c] = static_cast<BYTE>(pixel[c] * pixel[3] / 255);
    }
}

}  // namespace

void CTaskPanelDrawer::LoadThemeBitmaps()
{
    m_bThemeBitmapsLoaded = FALSE;
    const int scheme = GetLunaScheme();
    if (scheme != kit::kSchemeNone)
    {
        const LPCWSTR colorFolder = scheme == kit::kSchemeOlive    ? L"Homestead"
                                    : scheme == kit::kSchemeSilver ? L"Metallic"
                                                                   : L"NormalColor";
        const CString strLibrary = ShellStyleFolder(scheme) + L"shell\\" + colorFolder + L"\\shellstyle.dll";
        if (HMODULE hLibrary = ::LoadLibraryExW(strLibrary, nullptr, LOAD_LIBRARY_AS_DATAFILE))
        {
            DeleteThemeBitmaps();
            BOOL bAll = TRUE;
            for (int i = 0; i < 8; ++i)
            {
                m_hExpandBitmaps[i] = static_cast<HBITMAP>(::LoadImageW(
                    hLibrary, MAKEINTRESOURCEW(kFirstShellStyleBitmap + i), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
                if (m_hExpandBitmaps[i])
                    PremultiplyAlpha(m_hExpandBitmaps[i]);
                else
                    bAll = FALSE;
            }
            m_bThemeBitmapsLoaded = bAll;
            ::FreeLibrary(hLibrary);
        }
    }
    if (m_bThemeBitmapsLoaded)
        return;
    RecolorIcon(m_hSpecialExpandIcon, kSpecialGroupExpandBitmap, m_specialColors.captionGradient.dark.GetValue());
    RecolorIcon(m_hExpandIcon, kGroupExpandBitmap, m_normalColors.captionGradient.dark.GetValue());
}

void CTaskPanelDrawer::RecolorIcon(HICON& hIcon, UINT nBitmapID, COLORREF crColor)
{
    if (hIcon)
        ::DestroyIcon(hIcon);
    hIcon = nullptr;

    CBitmap source;
    if (!GetToolkitResources()->LoadBitmap(source, nBitmapID))
        return;
    BITMAP bm{};
    if (!source.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return;
    const int width = bm.bmWidth;
    const int height = bm.bmHeight;

    // Read the picture as 32-bit pixels, recolour them, write them back.
    BITMAPINFO info = TopDown32BitmapInfo(width, height);
    std::vector<RGBQUAD> quads(static_cast<size_t>(width) * static_cast<size_t>(height));
    CWindowDC screen(nullptr);
    if (::GetDIBits(screen.GetSafeHdc(), static_cast<HBITMAP>(source.GetSafeHandle()), 0, height, quads.data(), &info,
                    DIB_RGB_COLORS) != height)
        return;
    std::vector<kit::ColorRef> pixels(quads.size());
    for (size_t i = 0; i < quads.size(); ++i)
        pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    kit::taskpanel::RecolorPixels(pixels, crColor);
    for (size_t i = 0; i < quads.size(); ++i)
        quads[i] = RGBQUAD{GetBValue(pixels[i]), GetGValue(pixels[i]), GetRValue(pixels[i]), 0};

    CBitmap recoloured;
    if (!recoloured.CreateCompatibleBitmap(&screen, width, height))
        return;
    ::SetDIBits(screen.GetSafeHdc(), static_cast<HBITMAP>(recoloured.GetSafeHandle()), 0, height, quads.data(), &info,
                DIB_RGB_COLORS);
    HIMAGELIST hList = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (!hList)
        return;
    if (::ImageList_AddMasked(hList, static_cast<HBITMAP>(recoloured.GetSafeHandle()), kit::taskpanel::kRecolorMask) >= 0)
        hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
}
