// The customize sheet: a modeless property sheet beside the frame while the
// command bars are in customize mode. Its pages list the commands by
// category (to drag onto bars), the toolbars and the keyboard shortcuts; its
// context menu changes the control selected on a bar (reset, delete, name,
// button image, style, group start).
#pragma once

#include "CCustomizeCommandsPage.h"
#include "CCustomizeKeyboardPage.h"
#include "CCustomizeOptionsPage.h"
#include "CCustomizeToolbarsPage.h"
#include "window/CCmdUI.h"
#include "window/CPropertySheet.h"

#include <vector>

class CKitCommandBars;
class CKitControl;
class CKitControls;

// The context menu's commands (menu 9336).
constexpr UINT ID_KIT_CUSTOMIZE_RESET = 9315;
constexpr UINT ID_KIT_CUSTOMIZE_DELETE = 9316;
constexpr UINT ID_KIT_CUSTOMIZE_NAME = 9317;
constexpr UINT ID_KIT_CUSTOMIZE_COPY_IMAGE = 9318;
constexpr UINT ID_KIT_CUSTOMIZE_PASTE_IMAGE = 9319;
constexpr UINT ID_KIT_CUSTOMIZE_RESET_IMAGE = 9320;
constexpr UINT ID_KIT_CUSTOMIZE_EDIT_IMAGE = 9321;
constexpr UINT ID_KIT_CUSTOMIZE_CHANGE_IMAGE = 9322;
constexpr UINT ID_KIT_CUSTOMIZE_DEFAULT_STYLE = 9323;
constexpr UINT ID_KIT_CUSTOMIZE_IMAGE_AND_TEXT = 9324;
constexpr UINT ID_KIT_CUSTOMIZE_TEXT_ONLY = 9325;
constexpr UINT ID_KIT_CUSTOMIZE_BEGIN_GROUP = 9326;

class CKitCustomizeSheet : public CPropertySheet
{
public:
    explicit CKitCustomizeSheet(CKitCommandBars* pCommandBars);
    ~CKitCustomizeSheet() override;

    CKitCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // --- categories: copies of the commands, by name ---
    // The index of the category of that name, added when new.
    int AddCategory(const CString& strName);
    // Adds a copy of the control unless the category has its id already.
    void AddCategoryControl(int nCategory, CKitControl* pControl);
    int GetCategoryCount() const { return static_cast<int>(m_categories.size()); }
    CString GetCategoryName(int nCategory) const;
    CKitControls* GetCategoryControls(int nCategory) const;
    // One category per menu of the menu bar and per toolbar (or per control
    // category where the program set one), and "All Commands".
    void BuildCategoriesFromBars();

    // Opens the sheet beside the site and puts the bars in customize mode;
    // closing the sheet ends the mode (and deletes a sheet made with new).
    BOOL Create(CWnd* pParentWnd = nullptr) override;

    // The context menu of the customize selection at the screen point.
    void ShowControlMenu(CPoint ptScreen);
    // A context-menu command on the customize selection; FALSE when it is
    // not one or does not apply.
    BOOL RunControlCommand(UINT nId);
    // The customize selection's caption from the menu's name field; the
    // program's caption (or an empty name) clears the custom one.
    void SetSelectionName(const CString& strName);
    // Enable and check state of a context-menu command.
    void UpdateControlCommand(CCmdUI* pCmdUI);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CCustomizeCommandsPage m_pageCommands{this};
    CCustomizeToolbarsPage m_pageToolbars{this};
    CCustomizeKeyboardPage m_pageKeyboard{this};
    CCustomizeOptionsPage m_pageOptions{this};
    BOOL m_bAutoDelete = TRUE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    struct Category
    {
        CString strName;
        CKitControls* pControls;
    };
    void CollectControls(CKitControls* pControls, int nCategory, int nAllCategory, int nDepth);

    CKitCommandBars* m_pCommandBars;
    std::vector<Category> m_categories;
    CString m_strTitle;
};
