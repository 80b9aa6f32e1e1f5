#pragma once
// The scroll bars of the browser's canvas: one scroll record per window, in one
// table the user-interface thread owns. The content is scrolled by moving the
// window's pixels and child controls; positions are pixels, thumbs a percentage scale.

#include <windows.h>

namespace preview {

// Private messages of the scroll procedure.
constexpr UINT SHM_SETCONTENTSIZE = 0x401;  // wParam width, lParam height
constexpr UINT SHM_SETHPOS = 0x402;         // lParam position
constexpr UINT SHM_SETVPOS = 0x403;
constexpr UINT SHM_GETHPOS = 0x404;         // lParam: optional int* that receives it too
constexpr UINT SHM_GETVPOS = 0x405;
constexpr UINT SHM_GETHRANGE = 0x406;
constexpr UINT SHM_GETVRANGE = 0x407;
constexpr UINT SHM_SCROLLED = 0x409;        // sent to the window after a scroll: wParam dx, lParam dy
constexpr UINT BWM_RELAYOUT = 0x416;        // the browser lays its page out again

constexpr int kScrollLineStep = 10;

// A window procedure shared by every window that scrolls this way. The call with a
// null window, message 0 and no parameters frees the whole table.
LRESULT CALLBACK BrowserWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the bar's page to `percent` (clamped to 1..99) over its 0..100 range; returns
// the largest thumb position, 100 minus the page.
int SetScrollPage(HWND window, int bar, int percent);

}  // namespace preview
