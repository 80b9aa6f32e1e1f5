// The "Toolbars" page of the customize sheet: every bar with a check for its
// visibility, and New, Rename, Delete and Reset for the user's toolbars and
// the built-in ones.
#pragma once

#include "window/CPropertySheet.h"
#include "window/Controls.h"

class CKitCommandBar;
class CKitCustomizeSheet;

class CCustomizeToolbarsPage : public CPropertyPage
{
public:
    explicit CCustomizeToolbarsPage(CKitCustomizeSheet* pSheet);

    // Lists the bars again, keeping the selection and the top item.
    void RefreshList();
    CCheckListBox* GetBarList() { return &m_list; }

    // The buttons' actions (also reached from tests without a click).
    void OnNewToolBar();
    void OnRenameToolBar();
    void OnDeleteToolBar();
    void OnResetToolBar();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CKitCommandBar* SelectedBar() const;
    void UpdateButtons();
    void OnCheckChanged();

    CKitCustomizeSheet* m_pSheet;
    CCheckListBox m_list;
};
