// The process-wide colour table: every toolkit window paints with its 62
// slots instead of calling GetSysColor. Slots 1 to 28 mirror the system
// colours, 30 to 60 are derived from them, and ten gradients serve the
// office-style backgrounds; under the blue, olive and silver visual-style
// schemes the gradients and the scheme table take that scheme's colours.
// Every colour argument of the toolkit may be a slot number or a literal
// COLORREF (GetColor passes anything above 61 through).
#pragma once

#include "Framework.h"
#include "core/ColorTableData.h"

class CColorTable : public CCmdTarget, public kit::ColorTableData
{
public:
    CColorTable();
    ~CColorTable() override;

    // Replaces GetSysColor for slots 1 to 28 when set.
    using SysColorCallback = COLORREF(AFXAPI*)(int nIndex);
    SysColorCallback sysColorCallback = nullptr;

    // Re-reads the system colours and the scheme, and derives everything again.
    void RefreshColors();
};

// Slot numbers the painting code names most often.
enum ColorSlot
{
    kSlotWindow = COLOR_WINDOW,         // 5
    kSlotWindowText = COLOR_WINDOWTEXT, // 8
    kSlotHighlight = COLOR_HIGHLIGHT,   // 13
    kSlotButtonFace = COLOR_BTNFACE,    // 15
    kSlotButtonShadow = COLOR_BTNSHADOW,// 16
    kSlotGrayText = COLOR_GRAYTEXT,     // 17
    kSlotButtonText = COLOR_BTNTEXT,    // 18
    kSlotButtonHighlight = COLOR_BTNHIGHLIGHT, // 20
    kSlot3dDarkShadow = COLOR_3DDKSHADOW,      // 21
    kSlot3dLight = COLOR_3DLIGHT,              // 22
    kSlotInfoText = COLOR_INFOTEXT,            // 23
    kSlotInfoBackground = COLOR_INFOBK,        // 24
};

CColorTable* AFXAPI GetColorTable();
int AFXAPI GetLunaScheme();
// Refreshes the table unless it was refreshed less than 500 ms ago; the time
// is recorded only once the thread has a main window, so start-up refreshes
// are never skipped.
void AFXAPI RefreshColorTable();
// The scheme of the active visual style: 0 none, 1 blue, 2 olive, 3 silver.
int AFXAPI DetectLunaScheme();
// TRUE when the DC (the desktop window's DC when null) has 8 bits per pixel or fewer.
BOOL AFXAPI IsLowColorDC(HDC hDC);

// The toolkit's fixed colours.
constexpr COLORREF kClrBlack = kit::kColorBlack;
constexpr COLORREF kClrWhite = kit::kColorWhite;
constexpr COLORREF kClrDarkGray = kit::kColorDarkGray;
constexpr COLORREF kClrGray = kit::kColorGray;
constexpr COLORREF kClrLightGray = kit::kColorLightGray;
