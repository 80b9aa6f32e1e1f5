// The message reading that the toolkit's modal capture loops share (tab and
// navigate-button tracking, caption buttons): a lost capture or WM_QUIT ends
// the loop, Escape, a right click and WM_CANCELMODE cancel it, other keys
// are swallowed, and the mouse position comes from the message.
#pragma once

#include "Framework.h"

enum class CaptureEvent
{
    End,       // stop: cancelled, the capture lost, or WM_QUIT (posted again)
    Move,      // the mouse moved; the point is updated
    Release,   // the left button went up
    Swallowed, // a key other than Escape, or a non-client move
    Other,     // anything else; the caller dispatches it
};

// Waits for the next message of the loop whose window `hWnd` holds the capture.
CaptureEvent NextCaptureEvent(HWND hWnd, MSG& msg, CPoint& point);
