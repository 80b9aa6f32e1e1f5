// Driving windows as a user would: message pumping and real input through
// SendInput, so that hooks and trackers see it.
#pragma once

#include <windows.h>

#include <functional>

void PumpMessages();
// FALSE when the condition did not come true within the time.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000);
void PumpFor(DWORD ms);
// As the application's loop pumps: each message is offered to the windows'
// PreTranslateMessage (frames, their filters and accelerators) first.
void PumpThroughFramesFor(DWORD ms);
// A key pressed and released, then the messages it caused pumped.
void PressKey(WORD nKey);
// A left click at the screen point.
void ClickAt(POINT ptScreen);
// The left button pressed at one point, moved in steps to another and
// released, sent in one batch so that a tracking loop finds the whole
// gesture in its queue.
void DragWithMouse(POINT from, POINT to, int nSteps);
