// Drawing style 1: flat bars on a light face colour, popups with a shaded icon
// column and a flat item area, framed highlights for hot, pressed and checked
// controls, faded idle icons, hot icons raised over their shadow, and popup
// shadows drawn by the toolkit. The base of styles 2 and 4.
#pragma once

#include "CCommandBarDrawer.h"

class CCommandBarDrawerStyle1 : public CCommandBarDrawer
{
public:
    CCommandBarDrawerStyle1();

    CSize DrawControlOnPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    CSize DrawComboBoxControl(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    CSize DrawEditControl(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    CSize DrawCommandListItem(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                              CKitCommandBars* pCommandBars) override;
    void PaintBarBackground(CDC* pDC, CKitCommandBar* pBar) override;
    void FillControlState(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
                          BOOL bPopped, int nBarPosition) override;
    void DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped,
                       BOOL bOnToolbar, int nBarPosition) override;
    CSize DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    CSize DrawSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CKitControl* pControl, BOOL bVertical) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bLastPane) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void DrawControlImage(CDC* pDC, int x, int y, int cx, int cy, CCommandIcon* pIcon, int nSelected, int nPressed,
                          BOOL bEnabled, BOOL bChecked, BOOL bPopped, BOOL bOnToolbar) override;
    CSize DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    BOOL DrawsOwnShadows() override { return TRUE; }
    int GetBaseStyleNumber() override { return 1; }

    // The icon column of popups; items shown only in an expanded menu get the
    // darker column.
    virtual void FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bHiddenItem);

    int GetPopupGutterWidth(CKitCommandBar* pPopup) const;
    // Opens the popup's border towards the button of another bar that opened it.
    void FillPopupOverlap(CDC* pDC, CKitCommandBar* pPopup, COLORREF clr);

protected:
    // Edit and combo fields share their layout.
    CSize DrawFieldControl(CDC* pDC, CKitControl* pControl, BOOL bDraw, BOOL bCombo);
    // The single icon column of a popup item.
    int PopupGutter(CKitCommandBar* pBar) const;
};
