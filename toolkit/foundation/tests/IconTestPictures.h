// Small pictures for the command-icon tests, made in memory, and a way to read
// their pixels back.
#pragma once

#include "Framework.h"

#include <vector>

// A w × h icon of one colour; alpha 0 makes a plain (24-bit style) icon, any
// other alpha a 32-bit icon with that alpha in every pixel. All pixels opaque in the mask.
HICON MakeTestIcon(int w, int h, COLORREF clr, BYTE alpha = 0);
// A w × h 32-bit alpha bitmap of one colour and alpha.
HBITMAP MakeTestAlphaBitmap(int w, int h, COLORREF clr, BYTE alpha);
// The bitmap's pixels as 32-bit top-down B, G, R, A.
std::vector<BYTE> ReadPixels(HBITMAP hBitmap);
// The pixels of an icon's colour bitmap.
std::vector<BYTE> ReadIconPixels(HICON hIcon);
