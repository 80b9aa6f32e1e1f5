// A party that sees the messages of a subclassed window (through the
// subclass table) or the keys of open popups (through the keyboard tracker).
#pragma once

#include "Framework.h"

class CSubclassHookSink
{
public:
    enum Answer
    {
        kNotHandled = 0, // ask the next sink
        kHandled = 1,    // *pResult is the message's result; the saved procedure is not called
        kStopAsking = 2, // ask no further sink, but let the saved procedure run
    };

    virtual ~CSubclassHookSink() = default;
    // hWnd is null for the keyboard tracker's WM_KEYDOWN and WM_MOUSEWHEEL.
    // wParam and lParam may be changed; the saved procedure gets the changed values.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;
};
