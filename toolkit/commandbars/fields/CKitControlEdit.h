// An edit field on a command bar (type 6): a CKitEdit window placed over the
// control's rectangle, with an optional label, a grey hint while empty, Esc
// restoring the text it had when it took the focus, and its focus and text
// changes reported to the site through WM_COMMANDBAR_EXECUTE. Enter runs the
// control's command, whose handler reads GetEditText.
#pragma once

#include "CKitControl.h"
#include "CKitFieldText.h"

// Codes of ControlNotify for the field (the edit notification values).
constexpr UINT kEditNotifySetFocus = EN_SETFOCUS;
constexpr UINT kEditNotifyKillFocus = EN_KILLFOCUS;
constexpr UINT kEditNotifyChange = EN_CHANGE;

class CKitControlEdit : public CKitControl, public CKitFieldText, public CKitEditOwner
{
    DECLARE_SERIAL(CKitControlEdit)
public:
    CKitControlEdit();
    ~CKitControlEdit() override;

    BOOL m_bReadOnly = FALSE;
    BOOL m_bFocused = FALSE;

    void SetReadOnly(BOOL bReadOnly);
    void SetWidth(int nWidth);
    // Binds the shell's completion to the window (flags 0: none).
    void EnableShellAutoComplete(DWORD dwFlags);
    CKitEdit* GetEditWindow() const { return m_pEditWindow; }

    virtual void SetFocused(BOOL bFocused);
    BOOL IsFocused() const override { return m_bFocused; }
    int ProcessKey(UINT nKey, LPARAM lKeyData) override;
    void OnDeselected() override { SetFocused(FALSE); }

    void SetRect(const CRect& rc) override;
    void SetEnabled(BOOL bEnabled) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void PrepareLayout(DWORD dwMode) override;
    void SetParent(CKitCommandBar* pParent) override;
    BOOL IsCaptionVisible() override;
    BOOL IsEqual(CKitControl* pOther) override;
    void CopyFrom(CKitControl* pSource, BOOL bRecursive) override;
    void ActivateFromKeyboard() override { SetFocused(TRUE); }
    // The base keys, then the label, width, read-only state, hint and
    // completion flags; loading binds the completion again.
    void ExchangeProperties(CKitPropExchange* pPX) override;

    // CKitEditOwner
    CKitControl* GetOwnerControl() override { return this; }
    void OnEditSetFocus(HWND hPrevious) override;
    void OnEditKillFocus() override;
    void OnEditTextChanged(BOOL bFocused) override;
    void ApplyEditCharFormat() override { ApplyCharFormat(m_bEnabled); }
    void OnEditDestroyed(const CString& strText) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlEdit; }
    virtual CKitEdit* CreateEditObject() { return new CKitEdit(this); }
    // EN_CHANGE to the site.
    virtual void OnEditChanged();

private:
    void DestroyEditWindow();
};

// ControlNotify with a notification code: focus, text and selection
// changes of fields go to the site as WM_COMMANDBAR_EXECUTE.
void NotifyControlSite(CKitControl* pControl, UINT nCode);
