#include "InputDriving.h"

#include "window/CWinThread.h"

#include <vector>

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        PumpMessages();
        ::Sleep(10);
    }
    return true;
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

void PumpThroughFramesFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start <= ms)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (AfxPreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

void PressKey(WORD nKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = nKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpFor(100);
}

void ClickAt(POINT ptScreen)
{
    INPUT inputs[3] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = static_cast<LONG>(ptScreen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    inputs[0].mi.dy = static_cast<LONG>(ptScreen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
    PumpFor(200);
}

void DragWithMouse(POINT from, POINT to, int nSteps)
{
    std::vector<INPUT> inputs;
    auto move = [&](int x, int y) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>(x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = static_cast<LONG>(y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(input);
    };
    auto button = [&](DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    move(from.x, from.y);
    button(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= nSteps; ++i)
        move(from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps);
    button(MOUSEEVENTF_LEFTUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(500);
}
