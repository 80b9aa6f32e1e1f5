// Drawing style 0, the classic three-dimensional look: raised and sunken
// edges in the face, highlight and shadow colours, dithered checked buttons,
// menus with a selection bar, embossed disabled text and icons. Every reader
// of the process-wide drawer gets it when none is installed.
#pragma once

#include "CCommandBarDrawer.h"

class CCommandBarDrawerDefaultStyle : public CCommandBarDrawer
{
public:
    CCommandBarDrawerDefaultStyle();

    CSize DrawControlOnPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CKitControl* pControl, CRect rc) override;
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
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             void* pExtent) override;
    CRect GetBarBorders(CKitCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void DrawControlImage(CDC* pDC, int x, int y, int cx, int cy, CCommandIcon* pIcon, int nSelected, int nPressed,
                          BOOL bEnabled, BOOL bChecked, BOOL bPopped, BOOL bOnToolbar) override;
    CSize DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    int GetBaseStyleNumber() override { return 0; }

    // The frame of an edit or combo field.
    virtual void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
    // The drop-down button of a combo box.
    virtual void DrawComboButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped);
    // Text with DT_SINGLELINE | DT_VCENTER; disabled, unselected text is
    // embossed. Measuring returns the text's size.
    virtual CSize DrawItemText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw, int nSelected,
                               BOOL bEnabled);

    // A selected popup item is highlighted across its whole width at once and
    // check boxes get no state rectangle.
    BOOL m_bSelectionBar = FALSE;
    // The slot of enabled, unselected popup text and of check marks.
    int m_nMenuTextSlot = 18;

protected:
    void DrawRaised(CDC* pDC, const CRect& rc) { Draw3dFrame(pDC, rc, 20, 16); }
    void DrawSunken(CDC* pDC, const CRect& rc) { Draw3dFrame(pDC, rc, 16, 20); }
    // The checked look of a button: an 8x8 checkerboard of slots 15 and 20.
    void FillDithered(CDC* pDC, const CRect& rc);
    CSize DrawFieldControl(CDC* pDC, CKitControl* pControl, BOOL bDraw, BOOL bCombo);
    int PopupGutter(CKitCommandBar* pBar) const;
};
