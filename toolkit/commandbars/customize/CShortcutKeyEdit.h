// The "Press new shortcut key" field of the Keyboard page: it does not take
// text but the key pressed in it with the modifiers held, and shows that key
// as the shortcut text the menus would show.
#pragma once

#include "window/Controls.h"

class CCommandShortcuts;

class CShortcutKeyEdit : public CEdit
{
public:
    void SetShortcuts(CCommandShortcuts* pShortcuts) { m_pShortcuts = pShortcuts; }
    // TRUE when the field holds a whole key (not only modifiers) that may be
    // a shortcut; the entry then has the key and its modifier flags.
    BOOL GetKey(ACCEL& entry) const;
    void ClearKey();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnKeyPressed(UINT nKey);
    void NotifyParent();

    CCommandShortcuts* m_pShortcuts = nullptr;
    ACCEL m_entry{};
    BOOL m_bValid = FALSE;
};
