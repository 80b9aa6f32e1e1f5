// Captures a window's screen area into a 24-bit .bmp file (for screenshots of tests).
#pragma once

#include <windows.h>

#include <string>

bool CaptureWindowToBmp(HWND window, const std::wstring& path);
