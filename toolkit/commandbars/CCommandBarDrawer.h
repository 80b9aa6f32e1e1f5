// The drawing style of command bars: one object measures and draws every
// command bar, control, popup, dock bar and status-bar pane. Bars and controls
// never choose colours, fonts or margins themselves; they hand an element to
// the drawer with a draw flag (FALSE: measure and return the size), so the
// size a bar lays out is the size that is drawn.
//
// The base holds the fonts, the metrics, the drawer's own 62-slot colour table
// and the icon options, implements what every style shares and leaves the
// style-specific operations pure. A colour argument is a slot number (0..61)
// or a literal COLORREF.
#pragma once

#include "CKitCommandBar.h"
#include "CKitControl.h"
#include "CKitStatusBarPane.h"
#include "CommandBarKinds.h"
#include "core/StyleColor.h"
#include "window/CDC.h"

class CCommandIcon;
class CKitCommandBars;

// A font that follows the system until the application replaces it.
class CAutoFont : public CFont
{
public:
    explicit CAutoFont(BOOL bFollowSystem = TRUE) : m_bFollowSystem(bFollowSystem) {}
    BOOL m_bFollowSystem;
};

// The non-client metrics in the 500-byte form (without the padded border).
struct CNonClientMetrics : NONCLIENTMETRICSW
{
    CNonClientMetrics();
};

class CCommandBarDrawer : public CCmdTarget
{
public:
    static constexpr int kSlotCount = 62;

    CCommandBarDrawer();
    ~CCommandBarDrawer() override;
    CCommandBarDrawer(const CCommandBarDrawer&) = delete;
    CCommandBarDrawer& operator=(const CCommandBarDrawer&) = delete;

    // The operations of every style, in this order.
    virtual CSize DrawControlOnPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw) = 0;
    virtual CSize DrawControlOnToolbar(CDC* pDC, CKitControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CKitControl* pControl, CRect rc);
    virtual CSize DrawComboBoxControl(CDC* pDC, CKitControl* pControl, BOOL bDraw) = 0;
    virtual CSize DrawEditControl(CDC* pDC, CKitControl* pControl, BOOL bDraw) = 0;
    // A control as a row of the customize command list: (icon column width, row height).
    virtual CSize DrawCommandListItem(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                      CKitCommandBars* pCommandBars) = 0;
    virtual void PaintBarBackground(CDC* pDC, CKitCommandBar* pBar) = 0;
    // The background of a control in its state; leaves the state's text colour
    // and a transparent background mode in the DC.
    virtual void FillControlState(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
                                  BOOL bPopped, int nBarPosition) = 0;
    virtual void FillControlBackground(CDC* pDC, CKitControl* pControl);
    virtual void DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopped, BOOL bOnToolbar, int nBarPosition) = 0;
    virtual CSize DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) = 0;
    virtual CSize DrawSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CKitControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarPane(CDC* pDC, CRect rc, CKitStatusBarPane* pPane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bLastPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rc);
    virtual void PaintDockBarBackground(CDC* pDC, CWnd* pDockBar);
    virtual void PaintStatusBarBackground(CDC* pDC, CWnd* pStatusBar);
    virtual void ReloadMetrics();
    virtual BOOL DrawsOwnShadows();
    // Expand buttons and the caption buttons of floating bars. pExtent points
    // to the bar's size when measuring and to a hidden-controls BOOL when drawing.
    virtual CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                                     void* pExtent);
    virtual CRect GetBarBorders(CKitCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) = 0;
    virtual void DrawControlImage(CDC* pDC, int x, int y, int cx, int cy, CCommandIcon* pIcon, int nSelected,
                                  int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped, BOOL bOnToolbar) = 0;
    virtual CSize DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) = 0;
    virtual int GetBaseStyleNumber() = 0;
    virtual CFont* FontForControl(CKitCommandBar* pBar, BOOL bBold);
    virtual void DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, BOOL bRightToLeft);
    virtual void DrawDropDownArrow(CDC* pDC, CRect rc, COLORREF clr);
    virtual void AnimatePopup(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nKind);
    virtual int AnimateExpand(CKitCommandBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bTopDown);
    virtual void AdjustRightToLeftText(CString& strCaption);

    // Colours: slot i's override when set, else its standard value; a value
    // above 61 is a literal colour and returned as it is.
    COLORREF ColorAt(COLORREF nSlot) const;
    void SetStandardColors(int nCount, const int* pSlots, const COLORREF* pValues);
    void SetStandardColor(int nSlot, COLORREF clr) { SetStandardColors(1, &nSlot, &clr); }
    // The application's override of a slot (-1 removes it).
    void SetCustomColor(int nSlot, COLORREF clr);
    int GetEffectiveScheme() const;

    void SetFonts(const LOGFONTW* pLogFont, BOOL bSystemFont);
    // The three icon options in the order the settings exchange them.
    BOOL* GetIconOptions() { return &m_bUseFadedIcons; }

    // Sends a control to the operation of its kind and its bar.
    CSize DrawControlDispatch(CDC* pDC, CKitControl* pControl, BOOL bDraw);
    CSize DrawControlText(CDC* pDC, const CString& strCaption, CRect rc, BOOL bDraw, BOOL bVertical, BOOL bCentered,
                          BOOL bTriangle, BOOL bEmbossed, BOOL bShowMnemonics);
    CSize DrawControlTextWithIcon(CDC* pDC, const CString& strCaption, CRect rc, BOOL bVertical, BOOL bDraw,
                                  BOOL bEmbossed, BOOL bTriangle, CSize szButton, BOOL bHasIcon,
                                  BOOL bShowMnemonics);

    // Primitives in drawer colours.
    void FillTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr);
    // With a colour already resolved (read from the DC or from a slot).
    static void FillTriangleLiteral(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr);
    void FillAndFrame(CDC* pDC, const CRect& rc, int nFrameSlot, int nFillSlot);
    void Draw3dFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
    // With the pen already selected in the DC.
    static void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2);
    // Rectangles turned inside out (a bar smaller than its margins) are left alone.
    void FillSolid(CDC* pDC, const CRect& rc, COLORREF clr)
    {
        if (!rc.IsRectEmpty())
            pDC->FillSolidRect(rc, ColorAt(clr));
    }

    // Effective values of the fields below.
    int GetTextHeight() const { return m_nTextHeight; }
    int GetStyleNumber() const { return m_nStyleNumber; }
    void SetStyleNumber(int nStyle) { m_nStyleNumber = nStyle; }
    BOOL ShadowsEnabled() const { return m_bShadowsEnabled; }
    COLORREF GetShadowColor() const { return m_clrShadow; }
    COLORREF GetStatusTextColor() const { return m_clrStatusText; }

    COLORREF m_clrShadow = 0;
    COLORREF m_clrStatusText = 0;
    CStyleGradient m_gradDisabledIcon;
    BOOL m_bBoldCheckMarks = FALSE;
    BOOL m_bShadowsEnabled = TRUE;
    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontVertical;
    CFont m_fontVerticalBold;
    CAutoFont m_fontCaption;
    CAutoFont m_fontField;
    CAutoFont m_fontFieldBold;
    int m_nTextHeight = 0;
    BOOL m_bPreferredFace = FALSE;
    BOOL m_bFollowSystemFont = TRUE;
    int m_nStyleNumber = 0;
    BOOL m_bUseFadedIcons = FALSE;
    BOOL m_bUseDisabledIcons = FALSE;
    BOOL m_bIconsWithShadow = FALSE;
    BOOL m_bGenerateDisabledIcons = FALSE;
    int m_nAnimationSteps = 10;
    int m_nAnimationDuration = 100;
    int m_nKeyboardCueOverride = -1;
    CStyleColor m_colors[kSlotCount];
    int m_nSchemeSetting = 5;

protected:
    // The show-mnemonics flag after the keyboard-cue override.
    BOOL ShowMnemonics(BOOL bBarAsks) const;
    // The bar's window as a CWnd, or null when it has none (controls measured
    // before their bar exists).
    static BOOL HasWindow(const CWnd* pWnd) { return pWnd != nullptr && ::IsWindow(pWnd->m_hWnd); }
    // Client rectangle, empty without a window.
    static CRect ClientRectOf(const CWnd* pWnd);
    // The icon of a control at the bar's icon width and its drawn size
    // (height scaled by the picture's aspect ratio); null when none is wanted
    // or available.
    CCommandIcon* IconForControl(CKitControl* pControl, CSize szIcon, CSize& szDrawn);

    // The caption band of a floating bar in the caption font, filled with a
    // colour and titled; its size.
    CSize DrawFloatingCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw, COLORREF clrBand);
    // A popup item's or field label's texts as the bar shows them: without
    // mnemonic markers (and with DT_NOPREFIX) when the bar hides keyboard
    // cues, adjusted for right-to-left bars.
    struct CItemText
    {
        CString strCaption;
        CString strShortcut;
        UINT nPrefix = 0;
        BOOL bRightToLeft = FALSE;
    };
    CItemText PrepareItemText(CKitControl* pControl);
    // The icon's disabled picture, generated first from the disabled-icon
    // gradient when that option is on and the icon has none.
    void DrawDisabledImage(CDC* pDC, CCommandIcon* pIcon, int x, int y, int cx, int cy);
    // A customize-list row's caption from nTextLeft on in the colour, and the
    // arrow of popup controls with the split line in nSplitSlot; returns the
    // caption's width.
    int DrawCommandListText(CDC* pDC, CKitControl* pControl, const CRect& rc, int nTextLeft, COLORREF clrText,
                            int nSplitSlot);
    // Measures an edit or combo control: field height, the combo's button
    // width and the label width (on a popup the caption plus nPopupLabelExtra)
    // are stored in the control, which relayouts its bar when they change.
    CSize MeasureFieldControl(CDC* pDC, CKitControl* pControl, BOOL bCombo, int nPopupLabelExtra);

private:
    void ReloadFonts();
};

// The process-wide drawer.
CCommandBarDrawer* CreateCommandBarDrawer(int nStyle);
void InstallCustomCommandBarDrawer(CCommandBarDrawer* pDrawer);
void SelectCommandBarDrawingStyle(int nStyle);
void ReleaseCommandBarDrawer();
// The installed drawer; selects style 0 when none is installed yet.
CCommandBarDrawer* GetCommandBarDrawer();
