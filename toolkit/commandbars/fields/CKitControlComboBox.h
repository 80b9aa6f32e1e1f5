// A combo box on a command bar (type 5): a popup control whose popup bar is
// a drop-down list (CKitControlComboBoxList), with an editable CKitEdit field
// when dropDown is set. Typing completes to the first list item with the
// typed prefix when autoCompleteList is set; Esc restores the text and the
// selection it had when it took the focus; focus, edit, drop-down and
// selection events reach the site as WM_COMMANDBAR_EXECUTE with the combo
// notification codes, and a committed choice runs the command.
#pragma once

#include "CKitControl.h"
#include "CKitFieldText.h"

class CKitControlComboBoxList;

class CKitControlComboBox : public CKitControlPopup, public CKitFieldText, public CKitEditOwner
{
    DECLARE_SERIAL(CKitControlComboBox)
public:
    CKitControlComboBox();
    ~CKitControlComboBox() override;

    BOOL m_bDropDown = FALSE;
    int m_nComboStyle = 0;
    int m_nSavedSelection = -1;
    BOOL m_bAutoCompleteList = FALSE;
    BOOL m_bDeleting = FALSE;
    BOOL m_bFocused = FALSE;
    int m_nEditIconId = 0;
    BOOL m_bSelectionCommitted = FALSE;
    int m_nDropDownItemCount = 12;

    CKitControlComboBoxList* GetList() const;
    int AddString(LPCTSTR lpszText);
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    CString GetListText() const;
    // Makes (TRUE) or removes the editable field.
    void SetDropDown(BOOL bDropDown);
    void SetWidth(int nWidth);
    CKitEdit* GetEditWindow() const { return m_pEditWindow; }
    // The list is open for this combo.
    BOOL IsListOpen() const override;
    // The list selection's text, or the edit text with an edit field.
    CString GetText();

    virtual void SetFocused(BOOL bFocused);
    BOOL IsFocused() const override { return m_bFocused; }
    int ProcessKey(UINT nKey, LPARAM lKeyData) override;
    void OnDeselected() override { SetFocused(FALSE); }
    // The selected item's text goes into the field; CBN_SELCHANGE.
    virtual void OnSelChanged();
    // Completion and matching, then CBN_EDITCHANGE.
    virtual void OnEditChanged();

    void Execute() override;
    BOOL SetPopupOpen(BOOL bOpen) override;
    void SetRect(const CRect& rc) override;
    void SetEnabled(BOOL bEnabled) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void PrepareLayout(DWORD dwMode) override;
    void SetParent(CKitCommandBar* pParent) override;
    BOOL IsCaptionVisible() override;
    BOOL IsLabelShown() const override { return m_nComboStyle == 1; }
    BOOL IsEqual(CKitControl* pOther) override;
    void CopyFrom(CKitControl* pSource, BOOL bRecursive) override;
    void ActivateFromKeyboard() override { SetFocused(TRUE); }
    // The popup's keys, then the field's; loading makes or removes the
    // editable field and binds the completion again.
    void ExchangeProperties(CKitPropExchange* pPX) override;
    void DrawFieldText(CDC* pDC, const CRect& rcText) override;

    // CKitEditOwner
    CKitControl* GetOwnerControl() override { return this; }
    void OnEditSetFocus(HWND hPrevious) override;
    void OnEditKillFocus() override;
    void OnEditTextChanged(BOOL bFocused) override;
    void ApplyEditCharFormat() override { ApplyCharFormat(m_bEnabled); }
    void OnEditDestroyed(const CString& strText) override;
    void OnAutoSuggestShown() override;
    void OnEditContextMenu() override;

    // The list opened (TRUE) or closed for this combo.
    void OnListTracking(BOOL bTracking);

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlComboBox; }
    virtual CKitEdit* CreateEditObject() { return new CKitEdit(this); }

private:
    void DestroyEditWindow();
    BOOL HasEditWindow() const { return m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd); }

    int m_nCurSel = -1;
    BOOL m_bInEditChanged = FALSE;
};

// Codes of ControlNotify for the combo (the combo-box notification values).
constexpr UINT kComboNotifySelChange = CBN_SELCHANGE;
constexpr UINT kComboNotifySetFocus = CBN_SETFOCUS;
constexpr UINT kComboNotifyKillFocus = CBN_KILLFOCUS;
constexpr UINT kComboNotifyEditChange = CBN_EDITCHANGE;
constexpr UINT kComboNotifyDropDown = CBN_DROPDOWN;
constexpr UINT kComboNotifyCloseUp = CBN_CLOSEUP;
constexpr UINT kComboNotifySelEndOk = CBN_SELENDOK;
constexpr UINT kComboNotifySelEndCancel = CBN_SELENDCANCEL;
