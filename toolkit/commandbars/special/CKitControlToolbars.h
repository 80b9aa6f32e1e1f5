// The toolbar-list placeholder: outside customization it hides itself and
// lists the closeable toolbars of the command bars after itself, each
// checked while its toolbar shows; a click toggles the toolbar.
#pragma once

#include "CKitControl.h"

class CKitControlToolbars : public CKitControlButton
{
    DECLARE_SERIAL(CKitControlToolbars)
public:
    // Appends the toolbar items to the bar's controls before nBefore (-1:
    // at the end); with bAddCustomize and customization allowed, the
    // customize command after them.
    static void AFXAPI AddToolbarItems(CKitCommandBar* pBar, int nBefore, int nId, BOOL bAddCustomize);
    void PrepareLayout(DWORD dwMode) override;
    BOOL AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint point, int& nEffect) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlToolbars; }
};
