// The text, hint and window state that the edit field and the combo box
// share: a text cache read from the window when stale, a grey hint shown
// while the field is empty, and the character format of the colour table.
#pragma once

#include "CKitEdit.h"

class CKitFieldText
{
public:
    // "Raw": as the window shows it, the hint included.
    CString GetRawEditText();
    void SetRawEditText(const CString& strText);
    // The text without a showing hint.
    CString GetEditText();
    // An empty text shows the hint.
    void SetEditText(const CString& strText);
    void SetEditHint(const CString& strHint);
    const CString& GetEditHint() const { return m_strEditHint; }
    BOOL IsHintShowing();
    // CFM_COLOR and CFM_BACKCOLOR for the state; sent to the window in the
    // record size the rich-edit version takes.
    void ApplyCharFormat(BOOL bEnabled);

    CKitEdit* m_pEditWindow = nullptr;
    CString m_strText;
    BOOL m_bTextDirty = TRUE;
    CString m_strEditHint;
    CString m_strSavedText;
    BOOL m_bRepositionNeeded = FALSE;
    DWORD m_dwShellAutoCompleteFlags = 0;
};
