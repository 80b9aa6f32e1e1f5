// The dockable, floating command bar: a row of controls in a dock bar on one
// side of the frame, or a floating window of its own with a caption row, a
// close button and an expand button. It loads its buttons and icons from an
// RT_TOOLBAR resource, hides what does not fit behind the expand button
// (whose popup offers "&Add or Remove Buttons"), and follows the frame's
// activation while floating.
#pragma once

#include "CBarTrackingLink.h"
#include "CKitCommandBar.h"

#include <memory>

class CBarDragTracker;
class CCommandIconStore;

// The ids of the special controls bars add for themselves; never stored.
constexpr int kToolBarExpandId = 9400;
constexpr int kBarCloseId = 9401;

class CKitToolBar : public CKitCommandBar
{
    DECLARE_SERIAL(CKitToolBar)
public:
    CKitToolBar();
    ~CKitToolBar() override;

    // Replaces the controls by the buttons of the RT_TOOLBAR resource and,
    // when asked, puts its bitmap's icons into the icon store; FALSE (and no
    // controls) when the resource is missing or damaged.
    virtual BOOL LoadToolBar(UINT nId, BOOL bLoadIcons = TRUE);
    // One button per id in order; 0 makes the next button begin a group.
    BOOL BuildControlsFromIds(const UINT* pIds, int nCount);
    // The toolbar's list under "&Add or Remove Buttons": a check button per
    // control and "Reset".
    void FillAddRemovePopup(CKitCommandBar* pPopup);
    // Back to the controls of the resource, after the user agreed.
    virtual void ResetBar();
    // The base copy, then BuiltIn, TearOff and Closeable.
    void Copy(CKitCommandBar* pSource, BOOL bRecursive) override;
    void DoPropExchange(CKitPropExchange* pPX) override;

    void SetTextBelowIcons(int nMode);
    int GetTextBelowIconsMode() const { return m_nTextBelowIcons; }
    BOOL IsTextBelowIcons() const override;
    CSize GetIconSize() const override;
    CSize GetButtonSize() const override;

    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    void EnableBarDocking(DWORD dwFlags) override;
    void OnRecalcLayout() override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
    CSize CalcDockedSize(int nLength, DWORD dwMode) override;
    // The floating size; commits the controls' places with the commit bit.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    CBarDragTracker* GetDragTracker() const { return m_pDragTracker.get(); }

    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bCloseable = TRUE;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bShowExpandButton = TRUE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC* pDC) override;
    // Lays the controls out for the window's size and position.
    void LayoutForWindow();
    // The controls a bar adds for itself, found or made.
    CKitControl* FindOrAddExpandButton();
    CKitControl* FindOrAddCloseButton();
    // Caption height of the floating window.
    int GetCaptionHeight(CDC* pDC);

private:
    LRESULT OnNcHitTest(CPoint ptScreen);
    void OnFloatStatus(WPARAM wParam);
    void SyncFloatingActivation();

    std::unique_ptr<CBarDragTracker> m_pDragTracker;
    CBarTrackingLink m_trackingLink{this};
    int m_nTextBelowIcons = 2;
};
