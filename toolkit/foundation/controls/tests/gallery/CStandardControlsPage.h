// The gallery page of the toolkit's standard controls: a report list with its
// flat sortable header (the first column frozen, the others fitted to the
// list), a button with an icon, a flat button, an edit, a read-only edit, a
// hyperlink, the same list as a list view, a flat combo box, a flat edit and
// two caption bars.
#pragma once

#include "CSortingListCtrl.h"
#include "CUiButton.h"
#include "CUiCaption.h"
#include "CUiEdit.h"
#include "CUiFlatComboBox.h"
#include "CUiFlatEdit.h"
#include "CUiHyperLink.h"
#include "CUiListView.h"

class CStandardControlsPage : public CWnd
{
public:
    enum ControlId : UINT
    {
        kListId = 1001,
        kButtonId = 1002,
        kFlatButtonId = 1003,
        kEditId = 1004,
        kReadOnlyEditId = 1005,
        kLinkId = 1006,
        kListViewId = 1007,
        kFlatComboId = 1008,
        kFlatEditId = 1009,
        kCaptionId = 1010,
        kCloseCaptionId = 1011,
        kLentWindowId = 1012,
    };
    static constexpr LPCTSTR kColumnSection = L"Gallery";
    static constexpr LPCTSTR kColumnEntry = L"Column Info";
    // The icon's colours: a red square with a green centre.
    static constexpr COLORREF kIconOuter = RGB(220, 0, 0);
    static constexpr COLORREF kIconInner = RGB(0, 160, 0);

    CStandardControlsPage() = default;
    ~CStandardControlsPage() override;

    LPCTSTR GetTitle() const { return L"Standard controls"; }
    BOOL CreatePage(CWnd* pParent, const RECT& rect, UINT nID);

    CSortingListCtrl m_list;
    CUiButton m_button;
    CUiButton m_flatButton;
    CUiEdit m_edit;
    CUiEdit m_readOnlyEdit;
    CUiHyperLink m_link;
    CUiFlatComboBox m_flatCombo;
    CUiFlatEdit m_flatEdit;
    CUiCaption m_caption;      // its text button lends m_lentWindow to a pop-up
    CUiCaption m_closeCaption; // its close button tells the page
    CStatic m_lentWindow;
    UINT m_nLastCaptionClick = 0;
    // A view deletes itself when its window goes.
    CUiListView* m_pListView = nullptr;

protected:
    void PostNcDestroy() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    BOOL CreateList();
    static HICON CreateTestIcon();
    HICON m_hIcon = nullptr;
};
