// The toolkit gallery as a program of its own.
#include "CColorsPage.h"
#include "CCommandIconsPage.h"
#include "CToolkitGalleryWnd.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    CToolkitGalleryWnd gallery;
    gallery.AddPage(std::make_unique<CColorsPage>());
    gallery.AddPage(std::make_unique<CCommandIconsPage>());
    gallery.m_bQuitOnDestroy = TRUE;
    if (!gallery.CreateGallery())
        return 1;
    gallery.ShowWindow(SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
