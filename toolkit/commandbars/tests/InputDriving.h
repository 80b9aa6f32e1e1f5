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
