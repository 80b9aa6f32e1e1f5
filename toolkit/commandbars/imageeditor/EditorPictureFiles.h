// Pictures for the button-image editor from bitmaps and files: drawn into a
// key-filled picture of the editor's size, 32-bit sources keeping their alpha.
#pragma once

#include "CEditorImage.h"

// The bitmap drawn into a new key-filled picture of cx x cy. With bAlpha, a
// 32-bit bitmap of exactly that size is copied with its alpha, its fully
// zero pixels becoming the key colour. Otherwise clrTransparent (none when
// -1) becomes the key colour. Empty when the size is not a picture's.
CEditorImage PictureFromBitmap(HBITMAP hBitmap, int cx, int cy, BOOL bAlpha, COLORREF clrTransparent);

// A picture file by its lower-cased extension: ".ico" (the 32-bit image of
// width cx with its alpha, else the icon drawn at cx x cy), ".bmp" (alpha
// when the file says 32 bits per pixel), anything else through OLE picture
// loading scaled to cx x cy. Empty when the file cannot be read as a picture.
CEditorImage LoadEditorPictureFile(LPCTSTR pszPath, int cx, int cy);
