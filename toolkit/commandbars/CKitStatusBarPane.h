// One pane of the status bar as the drawers read it.
#pragma once

#include "window/CCmdTarget.h"
#include "window/GdiObjects.h"

class CCommandIcon;

constexpr DWORD kPaneNoBorders = 0x100;
constexpr DWORD kPaneDisabled = 0x04000000;

class CKitStatusBarPane : public CCmdTarget
{
public:
    UINT m_nId = 0;
    int m_nWidth = 0;
    DWORD m_dwStyle = 0;
    CString m_strText;
    BOOL m_bVisible = TRUE;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    int m_nAlignment = 0;  // 0 left, 1 centre, 2 right
    CFont* m_pFont = nullptr;
    CCommandIcon* m_pIcon = nullptr;
    // Set by the status bar: a disabled pane still shows its text, greyed.
    BOOL m_bDrawDisabledText = TRUE;

    virtual CFont* GetFont() { return m_pFont; }
    virtual CCommandIcon* GetIcon() { return m_pIcon; }
    BOOL IsEnabled() const { return (m_dwStyle & kPaneDisabled) == 0; }
};
