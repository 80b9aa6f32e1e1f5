// The "Keyboard" page of the customize sheet: the commands of a category,
// the keys that run the chosen one and its description, and a field that
// takes a new key to assign. Assign, Remove and Reset All change the
// command bars' shortcut table in force at once.
#pragma once

#include "CShortcutKeyEdit.h"
#include "window/CPropertySheet.h"
#include "window/Controls.h"

#include <vector>

class CKitCustomizeSheet;
class CKitControl;

class CCustomizeKeyboardPage : public CPropertyPage
{
public:
    explicit CCustomizeKeyboardPage(CKitCustomizeSheet* pSheet);

    CComboBox* GetCategoryCombo() { return &m_category; }
    CListBox* GetCommandList() { return &m_commands; }
    CListBox* GetAssignmentList() { return &m_assignments; }
    CShortcutKeyEdit* GetKeyField() { return &m_keyField; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCategory(int nCategory);
    void ShowCommand();
    void UpdateButtons();
    CKitControl* SelectedCommand() const;
    void Assign();
    void Remove();
    void ResetAll();
    std::vector<ACCEL> CurrentEntries() const;
    void SetEntries(const std::vector<ACCEL>& entries);

    CKitCustomizeSheet* m_pSheet;
    CComboBox m_category;
    CListBox m_commands;
    CListBox m_assignments;
    CShortcutKeyEdit m_keyField;
};
