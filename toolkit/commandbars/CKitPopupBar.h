// The command bar of a popup menu: a topmost tool window that never takes
// the activation, opens below or beside the control that opened it (a menu
// title, a drop-down, a submenu item) or at a point, lays its controls out in
// one column, hides rarely used commands behind an expand button, scrolls
// when it is taller than the screen, can be torn off as a floating toolbar,
// plays the "MenuPopup" sound and casts a drop shadow. The input hooks close
// it on a click elsewhere.
#pragma once

#include "CBarTrackingLink.h"
#include "CKitCommandBar.h"

class CKitToolBar;

class CKitPopupBar : public CKitCommandBar
{
    DECLARE_SERIAL(CKitPopupBar)
public:
    CKitPopupBar();
    ~CKitPopupBar() override;

    // Timers of the popup window.
    enum
    {
        kScrollDownTimer = 5001,
        kScrollUpTimer = 5002,
        kTearOffHoverTimer = 5003,
        kExpandDelayTimer = 5004,
    };
    // The expand button of personalized menus.
    static constexpr int kExpandButtonId = 9402;
    // Height of the scroll strips.
    static constexpr int kScrollStrip = 16;

    // A new popup bar bound to the command bars (null allowed), holding one reference.
    static CKitPopupBar* NewPopupBar(CKitCommandBars* pCommandBars);

    // Opens the popup for the control (null: at the anchor already set);
    // FALSE when the window cannot be made or the opener is gone.
    virtual BOOL Popup(CKitControl* pParentControl, BOOL bSelectFirst);
    BOOL PopupAt(int x, int y, const CRect* prcExclude) override;
    void SetPopupDirection(DWORD dwFlags) override { m_dwPlacement = dwFlags; }
    // Takes the anchor, the exclusion rectangle and the placement flags from
    // the opening control; nothing without one.
    void UpdateAnchor();
    // Shows the commands personalization hid.
    void Expand();
    // The index (or, not by position, the command id) of the first visible
    // default item; -1 when none.
    int GetDefaultItem(BOOL bByPosition) const;
    // Each visible control with a command id gets the shortcut text of its
    // command as its menu shortcut text.
    void RefreshShortcutTexts();

    CKitCommandBar* GetParentBar() const override;
    CKitControl* GetOpeningControl() const override { return m_pParentControl; }
    BOOL IsVisible() const override;
    void OnRecalcLayout() override { OnControlsChanged(); }
    void OnControlsChanged() override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
    void SetSelected(int nIndex, BOOL bKeyboard) override;
    int OnTrackingKeyDown(UINT nKey) override;
    BOOL IsDoubleGutter() const override { return m_bDoubleGripper; }
    CSize GetIconSize() const override;
    // The laid-out size; commits the controls' places.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void CopyPopup(const CKitPopupBar* pSource);
    void DoPropExchange(CKitPropExchange* pPX) override;

    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasHiddenCommands() const { return m_bHasHiddenCommands; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetEndVisible() const { return m_nEndVisible; }
    const CRect& GetScrollDownArea() const { return m_rcScrollDown; }
    const CRect& GetScrollUpArea() const { return m_rcScrollUp; }
    const CRect& GetExclusionRect() const { return m_rcExclude; }
    const CRect& GetTearOffGripperRect() const { return m_rcTearOffGripper; }
    DWORD GetPlacementFlags() const { return m_dwPlacement; }

    BOOL m_bTearOffPopup = FALSE;
    CString m_strTearOffCaption;
    int m_nTearOffId = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{2, 4, 2, 4};
    BOOL m_bDoubleGripper = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC* pDC) override;
    // The margins around the controls; the tear-off gripper's height is added on top.
    virtual CRect GetPopupMargins(CDC* pDC);
    // The site window: the command bars' site, the owner of a popup run at a
    // point, else the opening bar's site.
    CWnd* ResolveSite() const;

private:
    BOOL CreatePopupWindow();
    // Hide bit 0x20 on the rarely used commands; the expand button when any is hidden.
    void ApplyPersonalizedHiding();
    void UpdateExpandButton(CDC* pDC);
    // Places the window at the placement of the current size; cut menus scroll.
    void PlaceWindow(CSize size, BOOL bShow);
    // The controls of a cut popup from the first visible one down (or from
    // the end one up) for the window's size.
    void LayoutScrolled(CSize size, BOOL bUpward, BOOL bRedraw);
    void OnScrollTimer(UINT_PTR nTimer);
    void OnPopupMouseMove(CPoint point);
    BOOL OnPopupLButtonDown(CPoint point);
    void TrackTearOff();
    // The floating toolbar a tear-off shows: the bar of the tear-off id, else a new one.
    CKitCommandBar* MakeTornOffBar();
    void PaintFirstFrame();
    int ChooseAnimation() const;
    CRect GetWorkArea() const;
    void AddShadow();

    CKitControl* m_pParentControl = nullptr;
    CPoint m_ptAnchor{0, 0};
    CRect m_rcExclude{0, 0, 0, 0};
    DWORD m_dwPlacement = 0;
    BOOL m_bInLayout = FALSE;
    BOOL m_bHasHiddenCommands = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bJustExpanded = FALSE;
    CRect m_rcTearOffGripper{0, 0, 0, 0};
    BOOL m_bTearOffHot = FALSE;
    BOOL m_bTearing = FALSE;
    BOOL m_bScrolling = FALSE;
    int m_nFirstVisible = 0;
    int m_nEndVisible = 0;
    CRect m_rcScrollDown{0, 0, 0, 0};
    CRect m_rcScrollUp{0, 0, 0, 0};
    UINT_PTR m_nScrollTimer = 0;
    UINT_PTR m_nTearOffTimer = 0;
    int m_nRedrawLock = 0;
    CBarTrackingLink m_trackingLink{this};
    BOOL m_bOpenedByKeyboard = FALSE;
};

// The same popup window laid out as a small toolbar: the toolbar's expand
// popup shows the controls that did not fit this way.
class CKitPopupToolBar : public CKitPopupBar
{
    DECLARE_SERIAL(CKitPopupToolBar)
public:
    CKitPopupToolBar();

    static CKitPopupToolBar* NewPopupToolBar(CKitCommandBars* pCommandBars);
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
};
