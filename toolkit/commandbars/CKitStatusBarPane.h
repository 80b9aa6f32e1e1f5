// One pane of the status bar: its id, width, style, text, colours, alignment,
// font and icon; the status bar gives it its index and its part number.
#pragma once

#include "window/CCmdTarget.h"
#include "core/CString.h"
#include "window/GdiObjects.h"

class CCommandIcon;
class CWnd;

constexpr DWORD kPaneNoBorders = 0x100;
constexpr DWORD kPanePopOut = 0x200;
constexpr DWORD kPaneDisabled = 0x04000000;
constexpr DWORD kPaneStretch = 0x08000000;

class CKitStatusBar;

class CKitStatusBarPane : public CCmdTarget
{
public:
    CKitStatusBarPane() { EnableAutomation(); }
    // The child window goes with the pane (and its object when asked).
    ~CKitStatusBarPane() override;
    CKitStatusBarPane(const CKitStatusBarPane&) = delete;
    CKitStatusBarPane& operator=(const CKitStatusBarPane&) = delete;

    UINT m_nId = 0;
    BOOL m_bSendText = FALSE;  // the text still has to reach the control
    CString m_strTooltip;
    CWnd* m_pChild = nullptr;      // a window shown inside the pane, or null
    BOOL m_bDeleteChild = FALSE;   // the pane deletes the child object
    CKitStatusBar* m_pOwner = nullptr;
    int m_nIndex = -1;
    int m_nPart = -1;
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

    // The pane's own font, else its bar's.
    virtual CFont* GetFont();
    virtual CCommandIcon* GetIcon() { return m_pIcon; }
    BOOL IsEnabled() const { return (m_dwStyle & kPaneDisabled) == 0; }
    const CString& GetText() const { return m_strText; }
    const CString& GetTooltip() const { return m_strTooltip; }
    DWORD GetStyle() const { return m_dwStyle; }
    CKitStatusBar* GetOwnerBar() const { return m_pOwner; }
};
