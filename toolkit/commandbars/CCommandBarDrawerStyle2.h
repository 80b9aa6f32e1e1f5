// Drawing style 2: the layout of style 1 painted with gradients. Dock bars and
// menu bars share one horizontal ramp across the frame, toolbars are rounded
// gradient bodies with a shadow line, grippers are dotted, and under the
// blue, olive and silver desktop schemes fixed colour sets apply, with orange
// gradients for hot, pressed and checked toolbar buttons.
#pragma once

#include "CCommandBarDrawerStyle1.h"
#include "CVisualStyleData.h"

class CCommandBarDrawerStyle2 : public CCommandBarDrawerStyle1
{
public:
    CCommandBarDrawerStyle2();

    void PaintBarBackground(CDC* pDC, CKitCommandBar* pBar) override;
    void DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped,
                       BOOL bOnToolbar, int nBarPosition) override;
    CSize DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    CSize DrawSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bLastPane) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rc) override;
    void PaintDockBarBackground(CDC* pDC, CWnd* pDockBar) override;
    void ReloadMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             void* pExtent) override;
    CRect GetBarBorders(CKitCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    CSize DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    int GetBaseStyleNumber() override { return 2; }
    void FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bHiddenItem) override;

    virtual BOOL IsDockableToolbar(CKitCommandBar* pBar);

    CStyleGradient m_gradDock;
    CStyleGradient m_gradToolbar;
    CStyleGradient m_gradExpandButton;
    CStyleGradient m_gradExpandImage;
    CStyleGradient m_gradHiddenGutter;
    CStyleGradient m_gradPopped;
    CStyleColor m_clrToolbarShadow;
    CStyleColor m_clrCaption;
    CStyleColor m_clrPaneBorder;
    CStyleColor m_clrTearOff;
    BOOL m_bSchemeColors = FALSE;
    BOOL m_bFlatSeparators = FALSE;
    CVisualStyleData m_themeStatus;
    CImageList m_ilExpand;
    const CStyleGradient m_gradCheckedHighlight{RGB(255, 213, 140), RGB(255, 173, 85), 0.5f};
    const CStyleGradient m_gradPressedHighlight{RGB(254, 142, 75), RGB(255, 207, 139), 0.5f};
    const CStyleGradient m_gradHotHighlight{RGB(255, 242, 200), RGB(255, 212, 151), 0.5f};

protected:
    // The shaded round image of a popup's expand row, from the expand-image
    // gradient; green is its mask.
    void RebuildExpandImage();
    // The frame-wide horizontal ramp over rcRamp's left edge, clipped to rcClip.
    void FillRamp(CDC* pDC, const CRect& rcRamp, const CRect& rcClip);
    // The ramp of the bar's parent window behind the bar.
    void FillParentRamp(CDC* pDC, CKitCommandBar* pBar, const CRect& rcClient);
    static BOOL IsRightDockBar(CWnd* pWnd);

private:
    void ApplySchemeColors(int nScheme);
};
