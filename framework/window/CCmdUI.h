// CCmdUI: the state of one user-interface item (menu item, toolbar button,
// status pane, dialog control) asked of the ON_UPDATE_COMMAND_UI handlers.
#pragma once

#include "../core/CString.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;    // when the item is a menu item
    CMenu* m_pSubMenu = nullptr; // when the item opens a submenu
    CWnd* m_pOther = nullptr;    // when the item is a window (control, bar)
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget for the state. When no update handler changed the
    // enabled state and bDisableIfNoHndler is set, the item is enabled
    // exactly when a command handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Records what the handlers set, without touching any item; OnCommand uses
// it to refuse a disabled command.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    void SetRadio(BOOL bOn) override { m_nCheck = bOn ? 1 : 0; }
    void SetText(LPCTSTR lpszText) override { m_strText = lpszText; }

    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;
    CString m_strText;
};
