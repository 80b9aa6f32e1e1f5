// The placeholder views' picture: a bitmap of the resources drawn at its own size
// in the middle of the client area, and under it, when there is one, the reason
// the file is not shown.
#pragma once

#include "Framework.h"

// Loads, draws and releases the bitmap on every call; nothing is drawn when the
// bitmap is not in the resources.
void DrawPlaceholderPicture(CWnd* pView, CDC* pDC, UINT nBitmapId, const CString& strReason);
