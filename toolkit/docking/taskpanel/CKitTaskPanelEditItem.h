// CKitTaskPanelEditItem: the in-place editor that renames a task-panel item
// over its caption. Enter keeps the text, Esc cancels; either ends the edit
// at once, and so does losing the focus. A non-empty text goes to the panel,
// which asks its owner before the caption changes.
#pragma once

#include "Framework.h"

class CKitTaskPanel;

class CKitTaskPanelEditItem : public CEdit
{
    DECLARE_DYNAMIC(CKitTaskPanelEditItem)
public:
    explicit CKitTaskPanelEditItem(CKitTaskPanel* pPanel) : m_pPanel(pPanel) {}

    BOOL IsCancelled() const { return m_bCancelled; }

protected:
    // Ends the edit once: closes the editor and, unless cancelled, renames.
    void EndEdit();

    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    CKitTaskPanel* m_pPanel;
    BOOL m_bCancelled = FALSE;
    BOOL m_bEnded = FALSE;
};
