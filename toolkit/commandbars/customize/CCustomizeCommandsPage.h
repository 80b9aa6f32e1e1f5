// The "Commands" page of the customize sheet: the categories on the left,
// their commands on the right drawn as on a popup bar. Pressing a command
// drags a copy of it out of the sheet onto a bar.
#pragma once

#include "window/CPropertySheet.h"
#include "window/Controls.h"

class CKitControl;
class CKitCustomizeSheet;

class CCustomizeCommandsPage : public CPropertyPage
{
public:
    explicit CCustomizeCommandsPage(CKitCustomizeSheet* pSheet);

    // Lists the category's controls (item data: the control).
    void ShowCategory(int nCategory);
    CListBox* GetCommandList() { return &m_commands; }
    CListBox* GetCategoryList() { return &m_categories; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The owner-drawn command list; a press starts the drag.
    class CCommandList : public CListBox
    {
    public:
        explicit CCommandList(CCustomizeCommandsPage* pPage) : m_pPage(pPage) {}
        void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
        void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        CCustomizeCommandsPage* m_pPage;
    };

    void OnCommandPressed(CPoint point);

    CKitCustomizeSheet* m_pSheet;
    CListBox m_categories;
    CCommandList m_commands{this};
};
