// The standard-controls gallery as a program of its own: it comes back where
// the previous run was closed.
#include "CControlsGalleryFrame.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    CWinApp app(CControlsGalleryFrame::kAppName);
    app.SetRegistryKey(CControlsGalleryFrame::kRegistryKey);
    CControlsGalleryFrame gallery;
    gallery.m_bQuitOnDestroy = TRUE;
    gallery.m_bStorePlacementOnClose = TRUE;
    if (!gallery.CreateGallery(TRUE))
        return 1;
    if (!gallery.IsWindowVisible())
        gallery.ShowWindow(SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
