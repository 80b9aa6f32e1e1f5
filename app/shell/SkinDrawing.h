// The dialogs' skins: a bitmap resource drawn at the top-left corner at its own size.
#pragma once

#include "Framework.h"

// A device-independent section of the bitmap resource; null when it is missing.
HBITMAP LoadSkinBitmap(UINT bitmapId);
// False when there is no bitmap, so the caller erases as usual.
bool DrawSkinAtOrigin(CDC* dc, HBITMAP skin);
