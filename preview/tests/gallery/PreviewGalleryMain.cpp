// The preview gallery: shows the file named on the command line in the preview
// pane, as a click on its row in the results list would.
#include "PreviewGallery.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    ::CoInitialize(nullptr);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    {
        CPreviewGallery gallery;
        if (!gallery.Create(CRect(40, 40, 840, 640)))
            return 1;
        if (argc > 1)
            gallery.Show(argv[1]);
        MSG msg;
        while (gallery.GetFrame() != nullptr && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    ::LocalFree(argv);
    ::CoUninitialize();
    return 0;
}
