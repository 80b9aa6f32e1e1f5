// Drawing style 3: bars, buttons, grippers, combo boxes and the status bar
// through the system's visual style, bound at run time. Every part whose
// visual-style class cannot be opened (no theme active, as on a classic
// desktop) is drawn as the default style draws it.
#pragma once

#include "CCommandBarDrawerDefaultStyle.h"
#include "CVisualStyleData.h"

class CCommandBarDrawerStyle3 : public CCommandBarDrawerDefaultStyle
{
public:
    CCommandBarDrawerStyle3();

    void DrawSplitButtonFrame(CDC* pDC, CKitControl* pControl, CRect rc) override;
    void PaintBarBackground(CDC* pDC, CKitCommandBar* pBar) override;
    void DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped,
                       BOOL bOnToolbar, int nBarPosition) override;
    CSize DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CKitControl* pControl, BOOL bVertical) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bLastPane) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rc) override;
    void PaintDockBarBackground(CDC* pDC, CWnd* pDockBar) override;
    void PaintStatusBarBackground(CDC* pDC, CWnd* pStatusBar) override;
    void ReloadMetrics() override;
    CSize DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    int GetBaseStyleNumber() override { return 3; }
    void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) override;
    void DrawComboButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped) override;

    CVisualStyleData m_themeRebar;
    CVisualStyleData m_themeToolbar;
    CVisualStyleData m_themeComboBox;
    CVisualStyleData m_themeStatus;
    COLORREF m_clrRebarEdge = 0;
    BOOL m_bFlatMenus = TRUE;

protected:
    // Open and themed: the class can draw.
    static BOOL IsOpen(CVisualStyleData& theme) { return theme.IsOpen() && theme.IsAppThemed(); }
    // The rebar background over the window's parent, clipped to the window.
    void FillRebarBackground(CDC* pDC, CWnd* pWnd);
};
