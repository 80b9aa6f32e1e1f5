// The user's options of one set of command bars: full menus, screen tips,
// icon sizes, keyboard cues, and the commands hidden in menus until used.
// A subset lives in the registry under "<profile>-Options".
#pragma once

#include "core/Geometry.h"
#include "window/CCmdTarget.h"

#include <unordered_set>

class CKitCommandBars;
class CKitPropExchange;

class CCommandBarSettings : public CCmdTarget
{
public:
    explicit CCommandBarSettings(CKitCommandBars* pOwner = nullptr) : m_pOwner(pOwner) { EnableAutomation(); }
    CCommandBarSettings(const CCommandBarSettings&) = delete;
    CCommandBarSettings& operator=(const CCommandBarSettings&) = delete;

    using CommandSet = std::unordered_set<UINT>;

    BOOL m_bAlwaysShowFullMenus = TRUE;
    BOOL m_bShowFullAfterDelay = TRUE;
    BOOL m_bToolBarScreenTips = TRUE;
    BOOL m_bToolBarAccelTips = FALSE;
    BOOL m_bLargeIcons = FALSE;
    BOOL m_bSyncFloatingBars = TRUE;
    BOOL m_bShowExpandButtonAlways = TRUE;
    BOOL m_bDblClickFloat = FALSE;
    BOOL m_bShowTextBelowIcons = FALSE;
    BOOL m_bAltDragCustomization = TRUE;
    BOOL m_bAutoHideUnusedPopups = TRUE;
    BOOL m_bChanged = FALSE;            // the layout changed since it was saved or loaded
    BOOL m_bShowPopupBarToolTips = FALSE;
    int m_nAnimationType = 0;
    BOOL m_bShowShortcutsInMenus = TRUE;
    // Bit 0: mnemonics and navigation over every visible bar; bit 2: only
    // "&" mnemonics count; exactly 2: no mnemonics at all.
    int m_nKeyboardCuesUse = 1;
    BOOL m_bStatusBarPrompts = TRUE;
    CSize m_szIcons{0, 0};
    CSize m_szLargeIcons{0, 0};
    CSize m_szPopupIcons{16, 16};
    CommandSet m_hiddenCommands;
    CommandSet m_usedCommands;
    // 0 cues always shown, 1 never, 2 as the system says.
    int m_nKeyboardCuesShow = 0;

    // Schema 7 or below stores the first options only; with bOptionsOnly
    // only the options the profile keeps.
    void ExchangeSettings(CKitPropExchange* pPX, BOOL bOptionsOnly);
    void Serialize(CArchive& ar) override;
    void ApplyKeyboardCues(int nMode);

private:
    CKitCommandBars* m_pOwner;
};
