// The drawing-style gallery on its own, for people to look at.
#include "StyleGallery.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    CStyleGalleryWindow gallery;
    if (!gallery.CreateGallery())
        return 1;
    MSG msg;
    while (::IsWindow(gallery.m_hWnd) && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
