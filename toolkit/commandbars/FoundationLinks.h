// What the drawers take from the toolkit foundation, and the small helpers
// they build on it: caption copies without mnemonic markers and the drawing
// of command icons in their states.
#pragma once

#include "CColorTable.h"
#include "CDrawTools.h"
#include "DeviceContexts.h"
#include "GdiSelectors.h"
#include "PlatformQueries.h"
#include "CommandIconDrawing.h"

// A copy of the caption with its mnemonic markers removed.
inline CString StrippedText(const CString& strText)
{
    CString strCopy = strText;
    StripMnemonics(strCopy);
    return strCopy;
}
