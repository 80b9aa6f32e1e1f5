// The edit window of the bars' edit fields and combo boxes: a rich-edit
// window in plain-text mode when the library loads, else a plain edit. It
// tracks IME composition, answers the clipboard commands and shows a
// cut/copy/paste popup bar. The control that owns it sees its focus, text
// and mouse through CKitEditOwner.
#pragma once

#include "window/Controls.h"

class CKitControl;

// What the window reports to its control.
class CKitEditOwner
{
public:
    virtual ~CKitEditOwner() = default;
    virtual CKitControl* GetOwnerControl() = 0;
    virtual void OnEditSetFocus(HWND hPrevious) = 0;
    virtual void OnEditKillFocus() = 0;
    // EN_CHANGE: the cache is stale; bFocused when the user typed.
    virtual void OnEditTextChanged(BOOL bFocused) = 0;
    virtual void ApplyEditCharFormat() = 0;
    // The window goes: its text is kept in the control's cache.
    virtual void OnEditDestroyed(const CString& strText) = 0;
    // The shell's suggestion list showed.
    virtual void OnAutoSuggestShown() {}
    // The right button in the field outside customization.
    virtual void OnEditContextMenu() {}
};

// Posted to the edit window when the shell's auto-suggest list shows.
constexpr UINT WM_AUTOSUGGEST_SHOWN = 0x2872;

class CKitEdit : public CEdit
{
    DECLARE_DYNAMIC(CKitEdit)
public:
    explicit CKitEdit(CKitEditOwner* pOwner = nullptr) : m_pOwner(pOwner) {}

    // A rich-edit window of the library's class with change events and
    // plain single-undo text, else a plain edit window; id 0, empty place.
    virtual BOOL CreateEditWindow(DWORD dwStyle, CWnd* pParent);
    // The cut/copy/paste popup at the screen point; FALSE when not shown.
    virtual BOOL ShowContextMenu(CKitControl* pControl, CPoint ptScreen);
    BOOL IsRichEdit() const { return m_bRichEdit; }
    void DetachOwner() { m_pOwner = nullptr; }

    BOOL m_bImeComposing = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    CKitEditOwner* m_pOwner;
    BOOL m_bRichEdit = FALSE;
};
