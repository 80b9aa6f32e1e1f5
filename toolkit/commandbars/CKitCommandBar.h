// The window of a command bar as the drawers read it: type, position,
// docking and style flags, title, icon and button sizes and its controls.
// The bar family builds tracking, layout and persistence on these fields.
#pragma once

#include "CKitControls.h"
#include "window/CWnd.h"

class CKitCommandBar : public CWnd
{
public:
    CKitCommandBar() { m_controls.SetParent(this); }
    ~CKitCommandBar() override { m_controls.RemoveAll(); }

    DWORD m_dwFlags = 0;   // docking permissions
    DWORD m_dwStyle = 0;   // bar style; kBarStyleGripper draws a gripper
    CString m_strTitle;
    int m_nType = kBarTypeToolBar;
    int m_nPosition = 7;   // not placed
    CSize m_szIcons{0, 0};
    CSize m_szButtons{0, 0};
    BOOL m_bTextBelowIcons = FALSE;
    BOOL m_bShowKeyboardCues = TRUE;
    BOOL m_bDoubleGutter = FALSE;
    BOOL m_bDialogBar = FALSE;
    int m_nFloatingWidth = 0;   // remembered width of the floating bar; 0 when none
    BOOL m_bLayoutPending = FALSE;

    int GetType() const { return m_nType; }
    int GetPosition() const { return m_nPosition; }
    DWORD GetFlags() const { return m_dwFlags; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    const CString& GetTitle() const { return m_strTitle; }
    CKitControls* GetControls() { return &m_controls; }
    BOOL IsVertical() const { return m_nPosition == kBarLeft || m_nPosition == kBarRight; }

    virtual CSize GetIconSize() const { return m_szIcons.cx != 0 || m_szIcons.cy != 0 ? m_szIcons : CSize(16, 16); }
    virtual CSize GetButtonSize() const
    {
        if (m_szButtons.cx != 0 || m_szButtons.cy != 0)
            return m_szButtons;
        CSize icon = GetIconSize();
        return CSize(icon.cx + 7, icon.cy + 7);
    }
    virtual BOOL IsTextBelowIcons() const { return m_bTextBelowIcons; }
    virtual BOOL IsKeyboardCuesVisible() const { return m_bShowKeyboardCues; }
    virtual BOOL IsDialogBar() const { return m_bDialogBar; }
    // Popup bars: check marks and icons in separate columns.
    virtual BOOL IsDoubleGutter() const { return m_bDoubleGutter; }
    // Popup bars: the control of another bar that opened this popup, or null.
    virtual CKitControl* GetOpeningControl() const { return nullptr; }

    // A relayout before the next paint; a repaint without one.
    void DelayLayout() { m_bLayoutPending = TRUE; DelayRedraw(); }
    void DelayRedraw()
    {
        if (::IsWindow(m_hWnd))
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    // The controls were added, removed or reordered.
    virtual void OnControlsChanged() { DelayLayout(); }
    // The hot control goes (the collection removes the selected control).
    virtual void ClearHotControl() {}

protected:
    CKitControls m_controls;
};
