// What a bar tells its site before and after it creates a control from a
// command id, so that the site may supply a control of its own.
#pragma once

#include "CKitControl.h"

// wParam 0, lParam the record; a non-zero reply means the site filled it.
constexpr UINT WM_COMMANDBAR_BEFORECREATECONTROL = 0x285E;
// The same record with the control filled in.
constexpr UINT WM_COMMANDBAR_AFTERCREATECONTROL = 0x285F;

struct ControlCreationRecord
{
    int nId = 0;
    CKitControl* pControl = nullptr;   // the site's control, inserted as it is
    BOOL bFromToolbar = FALSE;         // from a toolbar's id list, not a menu
    int nPosition = 0;                 // index in the id list or the menu
    HMENU hMenu = nullptr;
    CKitCommandBar* pBar = nullptr;
    CString strCaption;
    int nType = kControlButton;
    int nStyle = 0;
};
