// The caption of a generated list item ("&1 name"): the name's "&" doubled
// so it shows, numbers 1-9 (and the 0 of 10) as mnemonics.
#pragma once

#include "Framework.h"

CString FormatListItemCaption(const CString& strText, int nNumber);
// Whether the control's command bars are in customize mode.
class CKitControl;
BOOL IsCustomizingControl(CKitControl* pControl);
// Placeholders of generated lists and hosted windows belong in menus: on
// any other bar the drop is refused and the effect becomes "cancelled".
class CKitCommandBar;
BOOL AcceptsDropOnPopupOnly(CKitCommandBar* pBar, int& nEffect);
