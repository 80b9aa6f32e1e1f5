// A control that hosts a child window inside a bar (type 7): the window is
// made a child of the bar, placed in the control's rectangle less the
// borders and shown or hidden with the control; without a visible window
// the control is drawn as a button.
#pragma once

#include "CKitControl.h"

class CKitControlCustom : public CKitControlButton
{
public:
    CKitControlCustom();

    HWND m_hWndControl = nullptr;
    CRect m_rcBorders{0, 0, 0, 0};
    BOOL m_bWindowShown = TRUE;
    CSize m_szControl{0, 0};
    // 0: hidden on vertical bars; 1: unchanged; 2: drawn as a button there.
    int m_nVerticalOptions = 0;
    int m_nControlId = 0;

    // Hosts the window at the size (0 x 0: its current size).
    void SetControl(HWND hWnd, CSize szControl = CSize(0, 0));
    CSize GetSize(CDC* pDC) override;
    void SetRect(const CRect& rc) override;
    void SetEnabled(BOOL bEnabled) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void PrepareLayout(DWORD dwMode) override;
    void Draw(CDC* pDC) override;
    void CopyFrom(CKitControl* pSource, BOOL bRecursive) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlCustom; }

private:
    void ShowHostedWindow();
};
