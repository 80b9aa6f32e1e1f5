// Input helpers of the docking galleries' window tests: a message pump that also
// gives the gallery its idle layout pass, and mouse input through SendInput so
// that the drag loops' capture sees it as real.
#pragma once

#include <windows.h>

class CDockingGalleryFrame;

// Runs the thread's messages for `ms` milliseconds; `gallery` (may be null) gets
// its idle layout pass between them, as the application's loop would give it.
void PumpGalleryFor(CDockingGalleryFrame* gallery, DWORD ms);

// One mouse event; a move goes to the absolute screen point `pt`.
void SendMouse(DWORD flags, POINT pt = {});
