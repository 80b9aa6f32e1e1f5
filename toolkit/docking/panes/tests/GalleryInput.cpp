#include "GalleryInput.h"

#include "CDockingGalleryFrame.h"

void PumpGalleryFor(CDockingGalleryFrame* gallery, DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (gallery)
            gallery->RunIdleLayout();
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

void SendMouse(DWORD flags, POINT pt)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE)
    {
        input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        flags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}
