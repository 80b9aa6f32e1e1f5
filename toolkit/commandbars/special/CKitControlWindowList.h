// The MDI window-list placeholder: at each layout it lists the visible MDI
// children after itself ("&1 title", the active one checked, at most nine);
// a click sends the child's id, which the MDI frame turns into activating
// it. Outside an MDI frame, and in customization, the placeholder shows.
#pragma once

#include "CKitControl.h"

class CKitControlWindowList : public CKitControlButton
{
    DECLARE_SERIAL(CKitControlWindowList)
public:
    // Process-wide: the first MDI child id and the most windows listed.
    static int s_nFirstChildId;
    static int s_nMaxWindows;

    void PrepareLayout(DWORD dwMode) override;
    BOOL AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint point, int& nEffect) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlWindowList; }
};
