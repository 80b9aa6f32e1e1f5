#include "CaptureLoop.h"

CaptureEvent NextCaptureEvent(HWND hWnd, MSG& msg, CPoint& point)
{
    if (!::GetMessageW(&msg, nullptr, 0, 0))
    {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return CaptureEvent::End;
    }
    if (::GetCapture() != hWnd)
    {
        ::DispatchMessageW(&msg);
        return CaptureEvent::End;
    }
    switch (msg.message)
    {
    case WM_MOUSEMOVE:
        point = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        return CaptureEvent::Move;
    case WM_LBUTTONUP:
        return CaptureEvent::Release;
    case WM_CANCELMODE:
    case WM_RBUTTONDOWN:
        return CaptureEvent::End;
    case WM_KEYDOWN:
        return msg.wParam == VK_ESCAPE ? CaptureEvent::End : CaptureEvent::Swallowed;
    case WM_NCMOUSEMOVE:
        return CaptureEvent::Swallowed;
    default:
        return CaptureEvent::Other;
    }
}
