// Images made from images for the owner-drawn button: masks, and grey or
// darkened copies of bitmaps and icons.
#pragma once

#include <windows.h>

// A monochrome mask (white where the bitmap has the transparent colour);
// those pixels of the bitmap are turned black. NULL when it cannot be made.
HBITMAP MakeMask(HBITMAP bitmap, int width, int height, COLORREF transparent);
HBITMAP MakeGreyBitmap(HBITMAP bitmap, int width, int height, COLORREF transparent);
HBITMAP MakeDarkBitmap(HBITMAP bitmap, int width, int height, COLORREF transparent);
HICON MakeGreyIcon(HICON icon);
HICON MakeDarkIcon(HICON icon);
// The size of an icon as drawn: its colour bitmap's size, or half the height
// of a monochrome icon's mask (which holds the AND and the XOR image).
bool GetIconSize(HICON icon, int& width, int& height);
