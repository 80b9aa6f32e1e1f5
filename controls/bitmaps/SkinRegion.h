// The window region of a skin bitmap: every pixel close to the transparent
// colour is a hole. The skinned dialogs build it once, with pure green, and
// keep it beside the bitmap.
#pragma once

#include <windows.h>

// A new region owned by the caller, or NULL. Mode nonzero builds it from the
// runs that do not match; mode 0 from the runs that match, turned inside out
// against the bitmap's rectangle. Both give the region of the solid pixels.
HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent, int mode);
