// The "Options" page of the customize sheet: full menus, large icons, screen
// tips and the menu animation, each written into the command bars' settings
// as soon as it changes, and the reset of the record of used commands.
#pragma once

#include "window/CPropertySheet.h"

class CKitCustomizeSheet;

class CCustomizeOptionsPage : public CPropertyPage
{
public:
    explicit CCustomizeOptionsPage(CKitCustomizeSheet* pSheet);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateDependentChecks();
    // A section header: its text and an etched line to the right edge.
    void DrawHeader(LPDRAWITEMSTRUCT lpDrawItemStruct);

    CKitCustomizeSheet* m_pSheet;
};
